#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace eew::bridge {

// One telegram cut from the input: its tokens from the type to "9999=", the
// parts of a multi-part telegram already joined; or, when the input cannot
// give a whole telegram, what is wrong and the tokens seen.
struct TelegramPiece {
    std::vector<std::string> tokens;
    std::string error;  // empty for a whole telegram
};

// Cuts a stream of telegrams, delivered in chunks of any size, into
// telegrams. Tokens are separated by any whitespace, so blank lines, line
// wraps and whole telegrams on one line all read alike. A telegram ends at
// "9999="; one whose "9999=" is missing ends where the next telegram's header
// begins, or after 2000 tokens (a longer token keeps its first 32
// characters). A part announcing more parts (Cn0) waits for the parts after it,
// which must repeat its header (type, office, flag, issue time, count); their
// tokens after the header are appended, and the last part (Cn1) completes it.
class TelegramSplitter {
  public:
    // Takes the next chunk; returns the telegrams (and faults) it completed.
    std::vector<TelegramPiece> feed(std::string_view chunk);
    // The end of the input: whatever is left is reported as cut short.
    std::vector<TelegramPiece> finish();

  private:
    void take_token(std::string token, std::vector<TelegramPiece>& out);
    void complete(std::vector<std::string> tokens, std::vector<TelegramPiece>& out);
    // "part k of n missing", for the parts joined so far.
    std::string missing_part() const;

    std::string partial_;              // a token the chunk may have cut in two
    std::vector<std::string> tokens_;  // the telegram being read
    std::vector<std::string> joined_;  // earlier parts of a multi-part telegram
    int parts_seen_ = 0;
};

}  // namespace eew::bridge
