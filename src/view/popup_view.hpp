#pragma once

#include <array>
#include <string>

namespace eew {

// The pop-up window ("new event!"), held by the core under the controls'
// names; the Qt window renders it after every handler. Every value is UTF-8
// text as shown. Closing the window resets this struct, so the window comes
// back empty when it is next created.
struct PopupView {
    std::string Text1;  // "location": the site name the warning sentence quotes

    // "first info" column: frozen when an event becomes the followed one.
    std::string Text5;   // origin time
    std::string Text7;   // M
    std::string Text10;  // latitude
    std::string Text11;  // longitude
    std::string Text12;  // depth
    std::string Text13;  // sequence
    std::string Text14;  // p num
    std::string Text54;  // region

    // "latest info" column: refreshed by every report of the followed event.
    std::string Text15;  // origin time
    std::string Text16;  // M
    std::string Text17;  // latitude
    std::string Text18;  // longitude
    std::string Text19;  // depth
    std::string Text20;  // sequence
    std::string Text21;  // p num
    std::string Text62;  // region
    // How late the latest report came, "received 0 s after issue"; on the
    // notice's colour past a second.
    std::string report_delay;
    bool report_delay_late = false;

    // The numbers of the followed event, rewritten by the warning output.
    std::string Text6;    // "magnitude"
    std::string Text66;   // "Mi"
    std::string Text64;   // "depth"
    std::string Text25;   // "distance" (epicentral), km
    std::string Text27;   // "intensity"
    std::string Label37;  // the intensity class in large type, or empty
    std::string Text26;   // "count down"
    std::string Text8;    // "elapsed time", sec

    // The nearest reference site.
    std::string Text2;   // its name
    std::string Text3;   // distance, km
    std::string Text63;  // intensity
    std::string Text4;   // count down, sec

    std::string Text65;  // seconds left before the window closes by itself

    // The agency's own forecast for the site's forecast area, shown apart
    // from the program's estimate: the area's name, then its intensity range,
    // arrival and warning (or that the report lists no entry for it). Both
    // empty when the site has no area or the report carries no forecast.
    std::string agency_area;
    std::string agency_forecast;

    // The legend of the station marks on the event map: Label29 the unit,
    // Label30 to Label35 the class thresholds from top to bottom.
    std::string Label29;
    std::string Label30;
    std::string Label31;
    std::string Label32;
    std::string Label33;
    std::string Label34;
    std::string Label35;

    // The "observed waves" panel: one label per station row ("stn, pol,
    // dis"), the time axis at 0, 10 and 20 s, and the four small fields.
    std::array<std::string, 30> wave_row_labels;
    std::array<std::string, 3> wave_time_axis;
    std::string wave_seq;      // "seq"
    std::string wave_pkt;      // "pkt"
    std::string wave_nobsall;  // "nobsall"
    std::string wave_length;   // "length", of the packet in characters
};

}  // namespace eew
