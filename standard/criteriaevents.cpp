#include "standard/criteriaevents.h"

namespace miravel::standard {

CriteriaEvents& CriteriaEvents::instance() {
    static CriteriaEvents events;
    return events;
}

} // namespace miravel::standard
