// The telegram bridge: shipped telegrams to records, records to the
// receiver's reports, the rules of what is sent and the faults of the input;
// and its network sources against a local server: the HTTP poller (a JSON
// member carrying one telegram) and the TCP stream with its reconnection.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "bridge/bridge_command_line.hpp"
#include "bridge/bridge_rules.hpp"
#include "bridge/forecast_extension.hpp"
#include "bridge/jst_time.hpp"
#include "bridge/stream_sources.hpp"
#include "bridge/telegram_decoder.hpp"
#include "bridge/telegram_splitter.hpp"
#include "feed/framing.hpp"
#include "feed/report_decoder.hpp"
#include "feedlib/feed_framing.hpp"

namespace eew::bridge {
namespace {

using enum Intensity;
constexpr std::nullopt_t no = std::nullopt;
const std::string kUnknownId(14, '/');

std::string sample(const std::string& name) {
    std::ifstream in(std::string(EEW_SOURCE_DIR) + "/tools/bridge/samples/" + name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<TelegramPiece> pieces_of(std::string_view text) {
    TelegramSplitter splitter;
    std::vector<TelegramPiece> out = splitter.feed(text);
    for (TelegramPiece& p : splitter.finish())
        out.push_back(std::move(p));
    return out;
}

std::vector<Telegram> telegrams_of(std::string_view text) {
    std::vector<Telegram> out;
    for (const TelegramPiece& p : pieces_of(text)) {
        EXPECT_EQ(p.error, "");
        auto decoded = decode_telegram(p.tokens);
        if (auto* why = std::get_if<std::string>(&decoded)) ADD_FAILURE() << *why;
        if (auto* t = std::get_if<Telegram>(&decoded)) out.push_back(*t);
    }
    return out;
}

// clang-format off
const Telegram kNemuro{37, 3, 0, {2011, 4, 15, 0, 50, 29}, 1, {2011, 4, 15, 0, 49, 44},
    "20110415005001", 0, 1, kUnknownId, "///", 189, 430, 1466, 70, 41, two,
    {6, 6, 2, 0, 4}, {1, 0, no, no, no}, {no, no, no, no, no}, {}};
const Telegram kIwate{37, 3, 0, {2011, 4, 15, 23, 34, 50}, 1, {2011, 4, 15, 23, 34, 19},
    "20110415233435", 0, 4, kUnknownId, "///", 286, 391, 1427, 10, 51, three,
    {6, 6, 5, 2, 4}, {1, 1, no, no, no}, {2, 3, no, no, no}, {}};
const Telegram kFukushima{37, 3, 0, {2011, 4, 15, 23, 34, 53}, 1, {2011, 4, 15, 23, 34, 16},
    "20110415233435", 0, 5, kUnknownId, "///", 251, 370, 1408, 10, 66, six_upper,
    {6, 6, 3, 2, 4}, {0, 1, no, no, no}, {1, 3, no, no, no},
    {{251, six_upper, six_lower, no, 1, 1}, {300, five_upper, five_lower, no, 1, 1},
     {250, five_upper, five_lower, no, 1, 1}, {310, four, four, no, 1, 1},
     {311, four, four, no, 1, 1}, {252, four, four, no, 1, 1}, {301, four, four, no, 1, 1},
     {221, four, four, no, 0, 1}, {340, four, four, no, 0, 1}, {341, four, four, no, 0, 1},
     {321, four, four, ClockTime{23, 34, 55}, 0, 0}, {331, four, four, ClockTime{23, 34, 57}, 1, 0},
     {350, four, four, ClockTime{23, 35, 1}, 0, 0}, {360, four, four, ClockTime{23, 35, 8}, 0, 0},
     {243, four, three, no, 0, 1}, {330, four, three, ClockTime{23, 34, 54}, 0, 0},
     {222, four, three, ClockTime{23, 34, 55}, 0, 0}}};
const Telegram kCancellation{39, 3, 10, {2016, 8, 1, 17, 9, 19}, 1, {2016, 8, 1, 17, 9, 2},
    "20160801170904", 0, 3, kUnknownId, "///", no, no, no, no, no, no,
    {no, no, no, no, no}, {no, no, no, no, no}, {no, no, no, no, no}, {}};
const Telegram kFinal2017{37, 3, 0, {2017, 2, 28, 16, 50, 3}, 1, {2017, 2, 28, 16, 49, 1},
    "20170228164912", 9, 13, kUnknownId, "///", 289, 375, 1414, 50, 61, four,
    {6, 6, 5, 5, 4}, {1, 0, no, no, no}, {0, no, no, no, no},
    {{251, four, four, no, 0, 1}, {250, four, four, no, 0, 1}, {221, four, four, no, 0, 1},
     {220, four, four, no, 0, 1}, {222, four, four, no, 0, 1}, {242, four, four, no, 0, 1},
     {300, four, three, no, 0, 1}, {252, four, three, no, 0, 1}}};
const Telegram kKushiro{37, 3, 0, {2025, 10, 6, 0, 36, 38}, 1, {2025, 10, 6, 0, 35, 38},
    "20251006003554", 9, 4, kUnknownId, "///", 161, 430, 1447, 110, 39, two,
    {4, 4, 2, 0, 9}, {0, 0, no, no, no}, {0, no, no, no, no}, {}};
const std::pair<const char*, std::vector<Telegram>> kShipped[] = {
    {"20110415_0049_nemuro_r1.txt", {kNemuro}},
    {"20110415_2334_iwate_fukushima_r4_r5.txt", {kIwate, kFukushima}},
    {"20160801_1709_cancellation_r3.txt", {kCancellation}},
    {"20170228_1649_fukushima_final_r13.txt", {kFinal2017}},
    {"20251006_0035_kushiro_final_r4.txt", {kKushiro}},
};
// clang-format on

TEST(Telegrams, EveryShippedFileDecodesToItsRecord) {
    for (const auto& [file, expected] : kShipped)
        EXPECT_EQ(telegrams_of(sample(file)), expected) << file;
}

TEST(Telegrams, PartsAreJoinedWhateverTheChunksAndALostEndDoesNotTakeTheNextOne) {
    // The 23:34:53 report cut after its third forecast line into two parts.
    const std::string text = sample("20110415_2334_iwate_fukushima_r4_r5.txt");
    std::string two_parts = text.substr(text.find("\n\n") + 2);
    two_parts.replace(two_parts.find("C11"), 3, "C20");
    two_parts.insert(two_parts.find("341 S0404"), "9999=\n37 03 00 110415233453 C21\n");
    Telegram joined = kFukushima;
    joined.parts = 2;
    EXPECT_EQ(telegrams_of(two_parts), std::vector{joined});
    TelegramSplitter by_char;
    std::vector<TelegramPiece> pieces;
    for (char c : text + two_parts)
        for (TelegramPiece& p : by_char.feed(std::string(1, c)))
            pieces.push_back(std::move(p));
    EXPECT_EQ(pieces.size(), 3u);
    const std::string lost_end = "37 03 00 110415005029 C11 110415004944 ND20110415005001 " + text;
    const auto cut = pieces_of(lost_end);
    ASSERT_EQ(cut.size(), 3u);
    EXPECT_EQ(cut[0].error, "no 9999= before the next telegram");
    EXPECT_EQ(std::tuple(cut[1].error, cut[2].error), std::tuple("", ""));
    EXPECT_EQ(pieces_of(two_parts.substr(0, two_parts.find("37 03 00 110415233453 C21")))[0].error,
              "cut short: part 2 of 2 missing");
    std::string endless;  // a stream that never ends a telegram is cut, not held whole
    for (int i = 0; i < 4100; ++i)
        endless += "RK66204 ";
    const auto held = TelegramSplitter().feed(endless);
    EXPECT_EQ(std::tuple(held.size(), held[1].error),
              std::tuple(2u, "no 9999= within 2000 tokens"));
}

// Each token cut off (with all after it), garbled at its first character or
// short of its last: one line naming the token, and nothing to send.
TEST(Telegrams, EveryDamagedTokenOfEveryFileIsSkippedWithItsReason) {
    for (const auto& [file, expected] : kShipped) {
        for (const TelegramPiece& whole : pieces_of(sample(file))) {
            const std::vector<std::string>& tokens = whole.tokens;
            for (std::size_t i = 0; i < tokens.size(); ++i) {
                std::vector<std::string> cut(tokens.begin(), tokens.begin() + i),
                    garbled = tokens, short_one = tokens;
                garbled[i][0] = 'X';
                short_one[i].pop_back();
                for (const auto& damaged : {cut, garbled, short_one}) {
                    std::string text;
                    for (const std::string& t : damaged)
                        text += t + " ";
                    const auto pieces = pieces_of(text);
                    if (damaged == cut && i == 0) {
                        EXPECT_TRUE(pieces.empty());
                        continue;
                    }
                    ASSERT_EQ(pieces.size(), 1u) << text;
                    BridgeRules rules({true, true});
                    const Decision d = rules.decide(pieces[0]);
                    const bool at_end = damaged == cut || i + 1 == tokens.size();
                    const std::string named = at_end ? "cut short" : "'" + damaged[i] + "'";
                    EXPECT_TRUE(d.what.starts_with("skipped, malformed: ")) << d.what;
                    EXPECT_NE(d.what.find(named), std::string::npos) << d.what << " / " << named;
                    EXPECT_EQ(std::tuple(d.action, d.text, d.what.find('\n')),
                              std::tuple(Action::dropped, "", std::string::npos));
                }
            }
        }
    }
}

// Decisions on a run of telegrams, one after another through one set of rules.
std::vector<Decision> decide_all(const std::vector<Telegram>& run, RuleOptions options = {}) {
    BridgeRules rules(options);
    std::vector<Decision> out;
    for (const Telegram& t : run)
        out.push_back(rules.decide(t));
    return out;
}

// What was sent (without its details), or what was dropped and why.
std::vector<std::string> whats(const std::vector<Decision>& decisions) {
    std::vector<std::string> out;
    for (const Decision& d : decisions)
        out.push_back(d.action == Action::dropped ? d.what : d.what.substr(0, d.what.find(':')));
    return out;
}

TEST(Rules, WhatIsSentAndWhatIsDroppedAndWhy) {
    Telegram training = kNemuro, after_cancel = kNemuro, no_hypocentre = kNemuro,
             no_magnitude = kNemuro, assumed = kNemuro;
    training.flag = 1;
    after_cancel.id = kCancellation.id;
    after_cancel.number = 4;
    no_hypocentre.depth_km.reset();
    no_magnitude.magnitude_tenths.reset();
    assumed.magnitude_tenths = 10;
    assumed.kind[2] = 9;
    const std::tuple<std::vector<Telegram>, RuleOptions, std::vector<std::string>> cases[] = {
        {{kIwate, kFukushima, kIwate, kFukushima},
         {},
         {"sent report", "sent report", "dropped: older than report 5",
          "dropped: repeats report 5"}},
        {{kCancellation, after_cancel, kCancellation},
         {},
         {"sent noise", "dropped: this ID was cancelled", "dropped: this ID was cancelled"}},
        {{training}, {}, {"dropped: training/test telegram (flag 01); --training forwards it"}},
        {{training}, {true, false}, {"sent report"}},
        {{no_hypocentre, kNemuro},
         {},
         {"dropped: hypocentre unknown", "dropped: repeats report 1"}},
        {{no_magnitude}, {}, {"dropped: magnitude unknown"}},
        {{assumed}, {}, {"dropped: assumed hypocentre (M1.0, 10 km); --assumed forwards it"}},
        {{assumed}, {false, true}, {"sent report"}},
    };
    for (const auto& [run, options, expected] : cases)
        EXPECT_EQ(whats(decide_all(run, options)), expected) << expected[0];
}

// The same report from a second source is a duplicate; from its own source
// again (a connection that came back), a repeat. Neither is sent.
TEST(Rules, AReportIsSentOnceWhicheverSourceBringsItFirst) {
    BridgeRules rules({});
    const std::vector<Decision> run = {rules.decide(kIwate, "ws a"), rules.decide(kIwate, "tcp b"),
                                       rules.decide(kIwate, "ws a"),
                                       rules.decide(kFukushima, "tcp b")};
    EXPECT_EQ(whats(run),
              (std::vector<std::string>{"sent report", "dropped: duplicate of report 4 from ws a",
                                        "dropped: repeats report 4", "sent report"}));
}

// Sources in the order given, each --field with the source before it.
TEST(CommandLine, SourcesComeInTheirOrderAndAFieldBelongsToTheOneBeforeIt) {
    const auto parsed = parse_bridge_command_line(
        {"--port", "1", "--ws", "wss://h/x", "--field", "a.b", "--tcp", "h:9", "f", "--http", "u",
         "--field", "c", "--ws", "ws://g", "--ca", "ca.pem", "--header-file", "hdr"});
    ASSERT_TRUE(std::holds_alternative<BridgeOptions>(parsed)) << std::get<std::string>(parsed);
    const BridgeOptions& o = std::get<BridgeOptions>(parsed);
    using enum SourceKind;
    EXPECT_EQ(o.sources, (std::vector<Source>{{ws, "wss://h/x", 0, "a.b"},
                                              {tcp, "h", 9, ""},
                                              {file, "f", 0, ""},
                                              {http, "u", 0, "c"},
                                              {ws, "ws://g", 0, ""}}));
    EXPECT_EQ(std::tuple(o.ca_file, o.header_file, o.sources[0].label(), o.sources[1].label()),
              std::tuple("ca.pem", "hdr", "ws wss://h/x", "tcp h:9"));
    const std::pair<std::vector<std::string_view>, std::string> refused[] = {
        {{"--port", "1"}, "give a FILE, -, --tcp HOST:PORT, --http URL or --ws URL"},
        {{"--port", "1", "--ws", "http://h"}, "bad --ws 'http://h' (a ws:// or wss:// URL)"},
        {{"--port", "1", "--field", "a", "--ws", "ws://h"},
         "--field NAME follows its --http URL or --ws URL"},
        {{"--port", "1", "--http", "u"}, "--http needs its --field"},
        {{"--port", "1", "-", "-"}, "standard input (-) given more than once"},
        {{"--port", "1", "--speed", "2", "--ws", "ws://h"}, "--speed applies to a FILE or - only"},
    };
    for (const auto& [args, error] : refused) {
        const auto result = parse_bridge_command_line(args);
        EXPECT_EQ(std::get_if<std::string>(&result) ? std::get<std::string>(result) : "", error);
    }
}

// The receiver keeps a value a report leaves out, so each report must overwrite
// every field of the one before: the two 2011-04-15 23:34 reports, decoded one
// over the other (and over a report that carried a mechanism), through the
// receiver's own framing and decoder.
TEST(Rules, ReportsDecodeInTheReceiverToTheirOwnValuesOnly) {
    setenv("TZ", "UTC0", 1);
    tzset();
    CurrentReport decoded;
    decoded.azp00 = decoded.thp00 = decoded.nobs_pol00 = decoded.n_pol_err00 = 7;
    const auto sent = decide_all({kIwate, kFukushima, kCancellation});
    // clang-format off
    const std::tuple<const char*, double, double, double, const char*, const char*, const char*> expected[] = {
        {"4", 5.1, 39.1, 142.7, "off_iwate", "2011/04/15 14:34:19", "2011/04/15 14:34:50"},
        {"5", 6.6, 37.0, 140.8, "fukushima_hamadori", "2011/04/15 14:34:16", "2011/04/15 14:34:53"}};
    // clang-format on
    for (int i = 0; i < 2; ++i) {
        const auto text =
            frame_message(feedlib::make_datagram(sent[i].text, feedlib::Framing::relay), false);
        ASSERT_TRUE(text && message_kind(*text, false) == MessageKind::report);
        EXPECT_TRUE(parse_report(*text, decoded));
        const auto& [seq, m, lat, lon, region, origin, send] = expected[i];
        EXPECT_EQ(std::tuple(decoded.code00, decoded.sequence00, decoded.magnitude00, decoded.mip00,
                             decoded.latitude00, decoded.longitude00, decoded.depth00,
                             decoded.pdata00, decoded.region_name00, decoded.origintime00.text(),
                             decoded.sendtime00.text()),
                  std::tuple("20110415233435", seq, m, m, lat, lon, 10, 5.0, region, origin, send));
        EXPECT_EQ(std::tuple(decoded.azp00, decoded.thp00, decoded.azt00, decoded.tht00,
                             decoded.nobs_pol00, decoded.n_pol_err00),
                  std::tuple(0, 0, 0, 0, 0, 0));
    }
    // A telegram without a region code sends none, and no mechanism either.
    Telegram unnamed = kIwate;
    unnamed.region_code.reset();
    const auto values = report_values(unnamed);
    EXPECT_EQ(std::tuple(values.region, values.mechanism.nobs_pol), std::tuple("", 0.0));
    const auto noise =
        frame_message(feedlib::make_datagram(sent[2].text, feedlib::Framing::relay), false);
    EXPECT_EQ(message_kind(noise.value_or(""), false), MessageKind::noise);
    unsetenv("TZ");
    tzset();
}

// The agency's forecast per area, in the telegram's order, after the report's
// last element; a telegram without EBI groups carries none.
TEST(Rules, TheAgencysAreaForecastFollowsTheReportsElementsExactly) {
    setenv("TZ", "UTC0", 1);
    tzset();
    const auto area = [](const char* code, const char* from, const char* to, const char* at,
                         const char* kind) {
        return std::string("<area code=\"") + code + "\" from=\"" + from + "\" to=\"" + to +
               "\" arrival=\"" + (*at ? std::string("2011,04,15,14,") + at : "") + "\" kind=\"" +
               kind + "\"/>";
    };
    std::string r5 = R"(<jma_forecast warning="1" max="6+">)";
    // clang-format off
    for (auto [code, from, to, at, kind] : {std::tuple("251", "6-", "6+", "", "11"),
             {"300", "5-", "5+", "", "11"}, {"250", "5-", "5+", "", "11"}, {"310", "4", "4", "", "11"},
             {"311", "4", "4", "", "11"}, {"252", "4", "4", "", "11"}, {"301", "4", "4", "", "11"},
             {"221", "4", "4", "", "01"}, {"340", "4", "4", "", "01"}, {"341", "4", "4", "", "01"},
             {"321", "4", "4", "34,55", "00"}, {"331", "4", "4", "34,57", "10"}, {"350", "4", "4", "35,01", "00"},
             {"360", "4", "4", "35,08", "00"}, {"243", "3", "4", "", "01"}, {"330", "3", "4", "34,54", "00"},
             {"222", "3", "4", "34,55", "00"}})
        // clang-format on
        r5 += area(code, from, to, at, kind);
    const Decision sent = BridgeRules({}).decide(kFukushima);
    EXPECT_EQ(sent.text.substr(sent.text.find("</region>") + 9),
              r5 + "</jma_forecast></data></eew_report>");
    std::string r13 = R"(<jma_forecast warning="0" max="4">)";
    for (const std::string code : {"251", "250", "221", "220", "222", "242", "300", "252"})
        r13 += R"(<area code=")" + code + R"(" from=")" +
               (code == "300" || code == "252" ? "3" : "4") + R"(" to="4" arrival="" kind="01"/>)";
    EXPECT_EQ(forecast_extension(kFinal2017), r13 + "</jma_forecast>");
    // Past midnight, an arrival before the origin's time of day is the next day's.
    Telegram late = kFinal2017;
    late.origin = {2017, 2, 28, 23, 59, 50};
    late.areas = {{251, no, four, ClockTime{0, 0, 10}, 1, 0}};
    EXPECT_EQ(forecast_extension(late),
              R"(<jma_forecast warning="0" max="4"><area code="251" from="4" to="" )"
              R"(arrival="2017,02,28,15,00,10" kind="10"/></jma_forecast>)");
    EXPECT_EQ(forecast_extension(kIwate), "");
    unsetenv("TZ");
    tzset();
}

// Japan time, without summer time, becomes the receiver's local time.
TEST(Rules, JapanTimeBecomesTheLocalTimeOfEachZone) {
    const std::tuple<const char*, JstTime, const char*> cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0", {2011, 4, 15, 23, 34, 16}, "2011/04/15 10:34:16"},
        {"EST5EDT,M3.2.0,M11.1.0", {2017, 1, 1, 8, 0, 0}, "2016/12/31 18:00:00"},
        {"JST-9", {2025, 10, 6, 0, 35, 38}, "2025/10/06 00:35:38"},
    };
    for (const auto& [zone, jst, local] : cases) {
        setenv("TZ", zone, 1);
        tzset();
        EXPECT_EQ(local_time_of(jst).text(), local) << zone;
    }
    unsetenv("TZ");
    tzset();
}

const QByteArray kTelegram =
    "37 03 00 110415233450 C11\n110415233419\nND20110415233435 NCN004 JD////////////// JN///\n"
    "286 N391 E1427 010 51 03 RK66524 RT11/// RC23///\n9999=\n";

// Answers every connection with `answer(n)`, n counting the connections from 1,
// and closes it.
struct LocalServer {
    QTcpServer server;
    int connections = 0;

    explicit LocalServer(std::function<QByteArray(int)> answer) {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this, answer] {
            QTcpSocket* s = server.nextPendingConnection();
            const QByteArray reply = answer(++connections);
            const auto send = [s, reply] {
                s->write(reply);
                s->disconnectFromHost();
            };
            if (reply.startsWith("HTTP"))  // wait for the request
                QObject::connect(s, &QTcpSocket::readyRead, s, send);
            else
                send();
        });
    }
    void run_until(int count) {
        const QDeadlineTimer deadline(10000);
        while (connections < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
};

struct App {
    int argc = 1;
    char name[8] = "test";
    char* argv[1] = {name};
    QCoreApplication app{argc, argv};
};

TEST(HttpSource, TakesTheTextMemberAtItsDottedPathOnceWhileItStaysTheSame) {
    App app;
    const QByteArray body =
        QJsonDocument(QJsonObject{{"data", QJsonObject{{"telegram", QString(kTelegram)}}}})
            .toJson();
    LocalServer server([&](int) {
        return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    });
    std::vector<TelegramPiece> pieces;
    HttpTelegramSource source(
        QUrl(QStringLiteral("http://127.0.0.1:%1/eew").arg(server.server.serverPort())),
        "data.telegram", [&](const TelegramPiece& p) { pieces.push_back(p); });
    source.start();
    server.run_until(3);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(std::tuple(pieces[0].error, pieces[0].tokens.size()), std::tuple("", 20u));
    // The member is a text found by its dotted path only.
    const std::tuple<QByteArray, QString, std::optional<QString>> cases[] = {
        {R"({"a":{"b":"x y"}})", "a.b", "x y"},    {R"({"a":"x"})", "a", "x"},
        {R"({"a":{"b":1}})", "a.b", std::nullopt}, {R"({"a":"x"})", "a.b", std::nullopt},
        {R"({"b":"x"})", "a", std::nullopt},       {"9999=", "a", std::nullopt},
    };
    for (const auto& [body, path, text] : cases)
        EXPECT_EQ(json_text_at(body, path), text) << body.constData();
}

TEST(TcpSource, ReadsAsItComesReportsATelegramCutByABreakAndConnectsAgain) {
    App app;
    LocalServer server([](int n) { return n == 1 ? kTelegram + kTelegram.left(30) : kTelegram; });
    std::vector<TelegramPiece> pieces;
    TcpTelegramSource source("127.0.0.1", server.server.serverPort(),
                             [&](const TelegramPiece& p) { pieces.push_back(p); });
    source.start();
    server.run_until(2);
    const QDeadlineTimer deadline(5000);
    while (pieces.size() < 3 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(std::tuple(pieces[0].error, pieces[1].error, pieces[2].error),
              std::tuple("", "cut short: no 9999=", ""));
}

}  // namespace
}  // namespace eew::bridge
