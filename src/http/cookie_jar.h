#pragma once
// The session's own cookies, names and values only. The jar is one text: "; " followed by each cookie
// as name=value and "; " (cookies a=1 and b=2 give "; a=1; b=2; "). Names compare with letter case;
// a new value replaces the old one in place; a server removes a cookie by setting it to "deleted".
#include <string>
#include <string_view>

namespace http {

class CookieJar {
public:
    // Takes every Set-Cookie line of a raw response header block (name=value up to the first ";").
    void Harvest(std::string_view headerBlock);
    // "a=1; b=2": appends or replaces each pair; true when the jar changed.
    bool Merge(std::string_view cookies);
    // "a; b=x": removes the entries of those names; true when one went.
    bool Remove(std::string_view names);
    // The value of a cookie (name=value with `withName`), "" when absent.
    std::string Get(std::string_view name, bool withName = false) const;
    // The jar as the value of a Cookie line: "a=1; b=2", "" when empty.
    std::string CookieText() const;
    // Replaces the whole jar; "a=1; b=2", "a=1; b=2;" and "; a=1; b=2; " all mean the same.
    void SetText(std::string_view text);

    void Empty() { jar_ = "; "; }
    void Discard() { jar_.clear(); }  // a closed session has no jar at all
    const std::string& text() const { return jar_; }

private:
    std::string jar_ = "; ";
};

}  // namespace http
