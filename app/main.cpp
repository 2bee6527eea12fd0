#include "app/startup.h"

int main(int argc, char* argv[]) {
    return miravel::app::runProgram(argc, argv);
}
