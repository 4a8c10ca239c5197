#include "bridge/file_playback.hpp"

#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <iostream>
#include <thread>

#include "bridge/jst_time.hpp"
#include "bridge/telegram_decoder.hpp"

namespace eew::bridge {
namespace {

// Datagrams read from a file go out this far apart, so that the receiver takes
// them one by one, in order.
constexpr auto kGap = std::chrono::milliseconds(5);

void wait_until(std::chrono::steady_clock::time_point t) {
    if (!QCoreApplication::instance()) return std::this_thread::sleep_until(t);
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(t - std::chrono::steady_clock::now());
    if (left.count() <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(left, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

bool take_all(const std::vector<TelegramPiece>& pieces, const PieceTaker& take) {
    for (const TelegramPiece& p : pieces) {
        if (!take(p)) return false;
        wait_until(std::chrono::steady_clock::now() + kGap);
    }
    return true;
}

// Sends telegram after telegram as the lines come, a few milliseconds apart.
bool play_as_read(std::istream& in, const PieceTaker& take) {
    TelegramSplitter splitter;
    std::string line;
    while (std::getline(in, line))
        if (!take_all(splitter.feed(line + "\n"), take)) return false;
    return take_all(splitter.finish(), take);
}

// Standard input as it comes, on the event loop, which a blocking read would
// hold up between two telegrams.
bool follow_standard_input(const PieceTaker& take) {
    TelegramSplitter splitter;
    QEventLoop loop;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    bool taken = true;
    QObject::connect(&input, &QSocketNotifier::activated, &loop, [&] {
        input.setEnabled(false);  // the gaps run the loop: no second read meanwhile
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) return input.setEnabled(true);
        if (n > 0) taken = take_all(splitter.feed(std::string_view(buffer, n)), take);
        if (n > 0 && taken) return input.setEnabled(true);
        if (taken) taken = take_all(splitter.finish(), take);
        loop.quit();
    });
    loop.exec();
    return taken;
}

// Between the issue times of two telegrams, a longer gap than this counts as
// this: it lies between two quakes, and a file of past quakes would otherwise
// wait years.
constexpr long long kLongestGapS = 60;

// Sends each telegram at the seconds from the issue time of the one before to
// its own (at most a minute), divided by the speed; one that does not decode,
// or was issued before the one before it, goes right after that one.
bool play_paced(std::istream& in, double speed, const PieceTaker& take) {
    TelegramSplitter splitter;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<TelegramPiece> pieces = splitter.feed(text);
    for (TelegramPiece& p : splitter.finish())
        pieces.push_back(std::move(p));
    const auto start = std::chrono::steady_clock::now();
    std::optional<DateTime> previous;
    double offset = 0;
    for (const TelegramPiece& p : pieces) {
        const auto decoded = decode_telegram(p.tokens);
        if (const Telegram* t = std::get_if<Telegram>(&decoded); t && p.error.empty()) {
            const DateTime issued = local_time_of(t->issued);
            if (previous)
                offset += std::clamp(seconds_between(*previous, issued), 0LL, kLongestGapS) / speed;
            previous = std::max(previous.value_or(issued), issued);
        }
        wait_until(start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                               std::chrono::duration<double>(offset)));
        if (!take_all({p}, take)) return false;
    }
    return true;
}

}  // namespace

bool play_file(const Source& source, std::optional<double> speed, const PieceTaker& take) {
    const bool standard_input = source.address == "-";
    if (standard_input && !speed && QCoreApplication::instance())
        return follow_standard_input(take);
    std::ifstream file;
    if (!standard_input) {
        file.open(source.address, std::ios::binary);
        if (!file) {
            std::cerr << "eew-bridge: cannot read " << source.address << "\n";
            return false;
        }
    }
    std::istream& in = standard_input ? std::cin : file;
    return speed ? play_paced(in, *speed, take) : play_as_read(in, take);
}

}  // namespace eew::bridge
