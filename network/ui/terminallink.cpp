#include "network/ui/terminallink.h"

using namespace miravel::common;
using namespace miravel::terminal;

namespace miravel::network {

namespace NetworkEntry {
namespace {

std::function<TerminalLink*()>& linkSource() {
    static std::function<TerminalLink*()> source;
    return source;
}

} // namespace

void setTerminalLink(std::function<TerminalLink*()> link) {
    linkSource() = std::move(link);
}

TerminalLink* terminalLink() {
    return linkSource() ? linkSource()() : nullptr;
}

} // namespace NetworkEntry

} // namespace miravel::network
