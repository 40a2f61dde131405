#pragma once
// The program's one way of reading structured text: the search answers and the saved queue are cut
// into fields by a pattern of literal text and lazy groups, never by a JSON parser or a parser of the
// task file. A matcher is used on one thread: Match once, then look the results up by 1-based match
// and group numbers. Every failure (a pattern the engine rejects, a run too complex to finish) leaves
// no results; nothing here throws.
#include <memory>
#include <string>
#include <string_view>

namespace regex {

class RegexMatcher {
public:
    ~RegexMatcher();
    // Nothing copies a matcher: each reader builds its own on its own thread.
    RegexMatcher(const RegexMatcher&) = delete;
    RegexMatcher& operator=(const RegexMatcher&) = delete;

    // The pattern the last Match handed to the engine (after any token replacement); "" before.
    std::wstring CurrentPattern() const;
    // The last subject with every match of the last Match (only the first when it was not global)
    // replaced; "$&", "$1".."$99", "$`", "$'" and "$$" in the replacement stand for parts of the
    // match. "" before any Match or after a failed one.
    std::wstring ReplaceMatches(std::wstring_view replacement) const;
    int MatchCount() const;
    std::wstring MatchText(int match) const;                // "" for a number outside 1..MatchCount
    std::wstring SubmatchText(int match, int group) const;  // "" outside the range or for an idle group
    int FirstMatchSubmatchCount() const;                    // 0 without a match

protected:
    RegexMatcher();
    bool Run(std::wstring pattern, std::wstring_view subject, bool ignoreCase, bool multiline, bool global);

private:
    struct Results;
    std::unique_ptr<Results> results_;
};

// Reads the search answers: letter case ignored unless told otherwise.
class SearchRegexMatcher : public RegexMatcher {
public:
    SearchRegexMatcher() = default;
    // True when the run finished (also with zero matches); false when the pattern was rejected or
    // the run gave up. Either way the results of any earlier Match are gone.
    bool Match(std::wstring_view pattern, std::wstring_view subject, bool ignoreCase = true, bool multiline = true,
               bool global = true);
};

// Reads the saved queue: letter case matters when asked. With quoteToken, every "#引号" in the pattern
// stands for a double quote, so a pattern for quoted text can be written without escaping.
class RestoreRegexMatcher : public RegexMatcher {
public:
    RestoreRegexMatcher() = default;
    bool Match(std::wstring_view pattern, std::wstring_view subject, bool caseSensitive = false,
               bool multiline = true, bool global = true, bool quoteToken = false);
};

}  // namespace regex
