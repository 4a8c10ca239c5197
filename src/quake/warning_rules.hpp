#pragma once

#include <optional>
#include <string>

namespace eew {

struct Estimates;
struct ReferenceSites;
struct TravelTimes;

// The intensity class announced for an intensity as displayed ("0.0").
struct IntensityClass {
    std::string text;          // "1" .. "7" with "5弱" etc.; empty below 0.1
    int sound = 0;             // entry of file_sound_si, 2 ("SI1_.wav") to 10; 0 for none
    bool lpwave_line = false;  // classes 3 and above show the long-period message
};

// `displayed` is the intensity read back from its one-decimal text. The
// classes are tried from the weakest up and the first wins, so the shared
// bounds 5.0 and 6.0 belong to "5弱" and "6弱".
IntensityClass intensity_class(double displayed);

// The warning sentence for the site `site` with `countdown` seconds left
// (arrived at 0 and below), or nothing at 0.1 and below, when the sentence
// shown before stays. "あと" is followed by an ideographic space.
std::optional<std::string> warning_sentence(double displayed, long long countdown,
                                            const std::string& site, const std::string& class_text);

// 1 when long-period ground motion is to be announced for magnitude M,
// depth h (km), epicentral distance d (km) and intensity magnitude Mi, else
// 0. Nothing within 60 km; the magnitude reaches 300 km, Mi 500 km.
int long_period_rule(double M, double h, double d, double Mi);

// The long-period sentence while `longEVstop` is 1: the seconds left, then,
// once the waves are there, that buildings keep swaying. Nothing when it is 0.
std::optional<std::string> long_period_sentence(int longEVstop, long long lpwave_countdown);

// The message window's headline from the magnitude and region as shown.
std::string headline(const std::string& magnitude_text, const std::string& region_text);

// The nearest reference site as the pop-up window shows it. Without a nearest
// site (none loaded) every box is empty rather than showing placeholder values.
struct ReferenceBlock {
    std::string name;       // Text2
    std::string distance;   // Text3, whole km
    std::string intensity;  // Text63, "0.0"
    std::string countdown;  // Text4, empty without a valid travel time
};
ReferenceBlock reference_block(const ReferenceSites& refs, const Estimates& estimates,
                               const TravelTimes& times);

}  // namespace eew
