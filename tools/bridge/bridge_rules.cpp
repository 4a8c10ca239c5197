#include "bridge/bridge_rules.hpp"

#include <cstdio>
#include <variant>

#include "bridge/forecast_extension.hpp"
#include "bridge/jst_time.hpp"
#include "bridge/region_codes.hpp"
#include "bridge/telegram_decoder.hpp"

namespace eew::bridge {
namespace {

constexpr int kCancellationType = 39;
constexpr int kCancellationFlag = 10;
constexpr int kTrainingCancellationFlag = 11;
constexpr int kAssumedMagnitudeTenths = 10;
constexpr int kAssumedMagnitudeMethod = 8;
constexpr int kAssumedKind = 9;

bool is_cancellation(const Telegram& t) {
    return t.type == kCancellationType || t.flag == kCancellationFlag ||
           t.flag == kTrainingCancellationFlag;
}

bool is_training(const Telegram& t) {
    return t.flag != 0 && t.flag != kCancellationFlag;
}

// RT n3 = 9 marks it; the fixed M 1.0 with the magnitude method of an assumed
// hypocentre (RK n3 = 8) marks it where RT does not say.
bool is_assumed(const Telegram& t) {
    return t.kind[2] == kAssumedKind || (t.magnitude_tenths == kAssumedMagnitudeTenths &&
                                         t.accuracy[2] == kAssumedMagnitudeMethod);
}

std::string two_digits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::string summary(const feedlib::ReportValues& r, const DateTime& origin) {
    char buffer[256];
    std::snprintf(
        buffer, sizeof buffer, "M%.1f at %.1f/%.1f, %.0f km, %s, p_data %d, origin %s local",
        r.magnitude, r.latitude, r.longitude, r.depth,
        r.region.empty() ? "(no region)" : r.region.c_str(), r.p_data, origin.text().c_str());
    return buffer;
}

Decision dropped(Decision d, std::string why) {
    d.what = "dropped: " + std::move(why);
    return d;
}

}  // namespace

int station_count_of(std::optional<int> epicentre_class) {
    switch (epicentre_class.value_or(0)) {
        case 2:
            return 2;
        case 3:
            return 3;
        case 4:
        case 6:
            return 5;
        default:
            return 1;
    }
}

feedlib::ReportValues report_values(const Telegram& t) {
    feedlib::ReportValues r;
    r.code = t.id;
    r.sequence = t.number;
    r.origin_time = feedlib::feed_date_time(local_time_of(t.origin));
    r.send_time = feedlib::feed_date_time(local_time_of(t.issued));
    r.magnitude = r.mip = *t.magnitude_tenths / 10.0;
    r.latitude = *t.latitude_tenths / 10.0;
    r.longitude = *t.longitude_tenths / 10.0;
    r.depth = *t.depth_km;
    r.p_data = station_count_of(t.accuracy[0]);
    r.mechanism = {};  // the telegram carries none
    r.extension = forecast_extension(t);
    r.region.clear();  // unless it names one
    if (t.region_code) {
        char code[16];
        std::snprintf(code, sizeof code, "%03d", *t.region_code);
        r.region = region_key(*t.region_code);
        if (r.region.empty()) r.region = code;
    }
    return r;
}

Decision BridgeRules::decide(const TelegramPiece& piece, const std::string& source) {
    std::string why = piece.error;
    if (why.empty()) {
        auto decoded = decode_telegram(piece.tokens);
        if (const Telegram* t = std::get_if<Telegram>(&decoded)) return decide(*t, source);
        why = std::get<std::string>(std::move(decoded));
    }
    Decision d;
    std::tie(d.id, d.number) = id_and_number_of(piece.tokens);
    d.what = "skipped, malformed: " + why;
    return d;
}

Decision BridgeRules::decide(const Telegram& t, const std::string& source) {
    Decision d;
    d.id = t.id;
    d.number = std::to_string(t.number);
    if (is_training(t) && !options_.training)
        return dropped(
            d, "training/test telegram (flag " + two_digits(t.flag) + "); --training forwards it");
    if (cancelled_.contains(t.id)) return dropped(d, "this ID was cancelled");
    if (const auto seen = highest_.find(t.id); seen != highest_.end()) {
        const Seen& h = seen->second;
        const std::string number = std::to_string(h.number);
        if (t.number < h.number) return dropped(d, "older than report " + number);
        if (t.number == h.number && h.source != source)
            return dropped(d, "duplicate of report " + number + " from " + h.source);
        if (t.number == h.number) return dropped(d, "repeats report " + number);
    }
    highest_[t.id] = {t.number, source};
    if (is_cancellation(t)) {
        cancelled_.insert(t.id);
        d.action = Action::noise;
        d.text = "noise: cancellation of " + t.id + " #" + d.number;
        d.what = "sent noise: cancelled, later reports of this ID are dropped";
        return d;
    }
    if (!t.latitude_tenths || !t.longitude_tenths || !t.depth_km)
        return dropped(d, "hypocentre unknown");
    if (!t.magnitude_tenths) return dropped(d, "magnitude unknown");
    if (is_assumed(t) && !options_.assumed)
        return dropped(d, "assumed hypocentre (M1.0, 10 km); --assumed forwards it");
    const feedlib::ReportValues r = report_values(t);
    d.action = Action::report;
    d.text = feedlib::report_text(r);
    d.what = "sent report: " + summary(r, local_time_of(t.origin));
    return d;
}

}  // namespace eew::bridge
