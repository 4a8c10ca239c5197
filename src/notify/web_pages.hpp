#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "notify/web_popup.hpp"

namespace eew {

// The addresses of the pages the web pop-up opens. The defaults are the
// built-in ones, the national research institute's public real-time
// monitors: what a missing file or a line that cannot be used falls back to.
struct WebPages {
    std::string long_period = "https://www.lmoni.bosai.go.jp/monitor/";
    std::string strong_shaking = "https://www.kmoni.bosai.go.jp/";

    // Empty for none.
    std::string_view address(WebPage page) const;
};

// The pages read, and when some of the file could not be used, a message for
// the user naming the file and the lines whose built-in address stays.
struct WebPagesFile {
    WebPages pages;
    std::optional<std::string> fault;
};

// Line 1 the long-period page, line 2 the strong-shaking page, each an
// http:// or https:// address; blanks around it are dropped and later lines
// ignored. A line that is empty, missing or not such an address keeps its
// built-in page; a file that cannot be read or is not text keeps both. The
// file is optional: a missing one gives the built-in pages without a fault.
WebPagesFile read_web_pages(const std::string& path);

}  // namespace eew
