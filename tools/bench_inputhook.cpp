// Prints what one key event costs in the keyboard procedure: table lookups, the state compare
// and the callback. Windows drops a low-level hook that answers too slowly, so this must stay
// far below a millisecond.
#include "capture/inputhook.h"
#include "capture/keyrecord_linux.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace
{

constexpr int rounds = 5;
constexpr int passes = 20000;

struct Event {
    std::uint32_t message;
    std::uint32_t scanCode;
    std::uint32_t flags;
};

void count(std::uint8_t, bool, void *counter)
{
    ++*static_cast<unsigned long *>(counter);
}

// Every key of a full-size keyboard pressed, repeated once and released: two of every three
// events report a change, as when typing.
std::vector<Event> typing()
{
    std::vector<Event> events;
    for (unsigned code = 1; code <= 127; ++code) {
        const ScanCode scan = scanCodeForLinuxKey(code);
        const std::uint32_t flags = scan.extended ? InputHook::LlkhfExtended : 0;
        events.push_back({InputHook::WmKeyDown, scan.scan, flags});
        events.push_back({InputHook::WmKeyDown, scan.scan, flags});
        events.push_back({InputHook::WmKeyUp, scan.scan, flags});
    }
    return events;
}

} // namespace

int main()
{
    InputHook hook(false, nullptr);
    unsigned long reports = 0;
    hook.setKeyCallback(&count, &reports);
    const std::vector<Event> events = typing();

    double best = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int pass = 0; pass < passes; ++pass) {
            for (const Event &event : events)
                hook.keyboardProcedure(0, event.message, event.scanCode, event.flags);
        }
        const std::chrono::duration<double, std::nano> elapsed =
            std::chrono::steady_clock::now() - start;
        const double perEvent = elapsed.count() / (double(passes) * double(events.size()));
        if (round == 0 || perEvent < best)
            best = perEvent;
    }
    std::printf("keyboard procedure: %.1f ns per key event (best of %d rounds of %zu events, "
                "%lu reports)\n",
                best, rounds, static_cast<std::size_t>(passes) * events.size(), reports);
    return 0;
}
