#include "standard/criteriaevents.h"

CriteriaEvents& CriteriaEvents::instance() {
    static CriteriaEvents events;
    return events;
}
