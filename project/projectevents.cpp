#include "project/projectevents.h"

ProjectEvents& ProjectEvents::instance() {
    static ProjectEvents events;
    return events;
}
