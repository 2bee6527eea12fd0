#include "project/projectcommands.h"

// The project file commands arrive with the project file format.
void Data_Cls() {}
void newProjectCommand(QWidget*) {}
void saveProjectCommand(QWidget*, CommandOrigin) {}
void loadProjectCommand(QWidget*) {}
