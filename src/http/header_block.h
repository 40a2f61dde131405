#pragma once
// The extra header lines waiting for the next send: CR LF, then "Name: value" lines each ended by
// CR LF. Names are looked up without regard to letter case; the first line of a name counts.
#include <string>
#include <string_view>

namespace http {

// "Referer", "Referer:" and "Referer: " all become "Referer: "; "" stays "".
std::string NormaliseHeaderName(std::string_view name);

class HeaderBlock {
public:
    // Replaces the value of the first line of that (normalised) name, or appends a new line; the name
    // keeps the letter case it was first written with.
    void Write(std::string_view name, std::string_view value);
    // Appends a line even when one of that name exists.
    void Append(std::string_view name, std::string_view value);
    // Removes the first line of that name; false when there is none.
    bool Remove(std::string_view name);
    bool Contains(std::string_view name) const;

    void Reset() { text_ = "\r\n"; }
    void Discard() { text_.clear(); }
    const std::string& text() const { return text_; }
    // The lines as handed to WinINet: the block without its leading CR LF.
    std::string Lines() const { return text_.size() > 2 ? text_.substr(2) : std::string(); }

private:
    size_t Find(std::string_view name) const;
    std::string text_ = "\r\n";
};

}  // namespace http
