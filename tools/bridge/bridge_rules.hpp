#pragma once

#include <map>
#include <set>
#include <string>

#include "bridge/telegram.hpp"
#include "bridge/telegram_splitter.hpp"
#include "feedlib/report_text.hpp"

namespace eew::bridge {

struct RuleOptions {
    bool training = false;  // forward training, reference and test telegrams
    bool assumed = false;   // forward assumed hypocentres
};

enum class Action { report, noise, dropped };

// What became of one telegram.
struct Decision {
    Action action = Action::dropped;
    std::string id = "-";  // "-" when it cannot be made out
    std::string number = "-";
    std::string text;  // the message to send (report or noise); empty when dropped
    std::string what;  // what was sent, or why nothing was
};

// The lower bound of the station count an RK epicentre class stands for:
// 1 one station, 2 two, 3 three or four, 4 five or more; another network's
// 5 (at most four) and 6 (five or more); 7 and 8, a fallback method, and an
// unknown class say no more than that one station triggered.
int station_count_of(std::optional<int> epicentre_class);

// The receiver's report for a telegram whose hypocentre and magnitude are known.
feedlib::ReportValues report_values(const Telegram& t);

// Decides, telegram after telegram, what the receiver is sent. It remembers
// the cancelled IDs and the highest report number seen of each ID, and which
// source brought it: with several sources the same report comes more than
// once, and only the first is sent.
class BridgeRules {
  public:
    explicit BridgeRules(RuleOptions options) : options_(options) {}

    // Decodes a piece from the splitter and decides on it; a piece that is not
    // a whole, well-formed telegram is dropped with the reason. `source`
    // names where it came from, for telling a duplicate from a repeat.
    Decision decide(const TelegramPiece& piece, const std::string& source = {});
    Decision decide(const Telegram& t, const std::string& source = {});

  private:
    struct Seen {
        int number = 0;
        std::string source;
    };
    RuleOptions options_;
    std::set<std::string> cancelled_;
    std::map<std::string, Seen> highest_;
};

}  // namespace eew::bridge
