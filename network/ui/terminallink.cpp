#include "network/ui/terminallink.h"

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
