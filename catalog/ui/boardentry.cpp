#include "catalog/ui/boardentry.h"

namespace miravel::catalog {

namespace BoardEntry {
namespace {

std::function<void()>& opener() {
    static std::function<void()> open;
    return open;
}

} // namespace

void setOpener(std::function<void()> open) {
    opener() = std::move(open);
}

void open() {
    if (opener()) opener()();
}

} // namespace BoardEntry

} // namespace miravel::catalog
