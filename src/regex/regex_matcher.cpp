#include "regex/regex_matcher.h"

#include <windows.h>

#include <array>
#include <boost/regex.hpp>
#include <cstddef>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <vector>

namespace regex {
namespace {

namespace flags = boost::regex_constants;

constexpr std::wstring_view kQuoteToken = L"#引号";

// Letter case folded through one table for the whole BMP, built once from the platform's own lower
// casing: every letter with a lower-case form matches it, and matching never calls into the locale.
const std::array<wchar_t, 0x10000>& LowerCaseTable() {
    static const auto table = [] {
        std::array<wchar_t, 0x10000> t{};
        for (size_t c = 0; c < t.size(); ++c) t[c] = static_cast<wchar_t>(c);
        std::array<wchar_t, 0x10000> lower{};
        int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, t.data() + 1, 0xFFFF, lower.data() + 1,
                              0xFFFF, nullptr, nullptr, 0);
        if (n == 0xFFFF) t = lower;  // one character in, one out: keep the mapping
        t[0] = 0;
        return t;
    }();
    return table;
}

class CaseTableTraits : public boost::regex_traits<wchar_t> {
public:
    wchar_t translate_nocase(wchar_t c) const { return lower_[static_cast<unsigned short>(c)]; }
    wchar_t translate(wchar_t c, bool icase) const { return icase ? translate_nocase(c) : c; }
    wchar_t tolower(wchar_t c) const { return translate_nocase(c); }

private:
    const wchar_t* lower_ = LowerCaseTable().data();
};

using Engine = boost::basic_regex<wchar_t, CaseTableTraits>;

// Thrown when one run has moved through the subject more often than its budget allows.
struct OutOfSteps : std::runtime_error {
    OutOfSteps() : std::runtime_error("regex step budget spent") {}
};

// A pointer into the subject that counts every character it moves over. Boost's own guard against
// runaway backtracking allows one search about (pattern length)^2 x (subject length) steps, which lets a
// page full of records that each fall just short of the song pattern run for hours, and it starts
// afresh for every match. This budget bounds the whole run instead.
class Cursor {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = wchar_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const wchar_t*;
    using reference = const wchar_t&;

    Cursor() = default;
    Cursor(const wchar_t* at, std::size_t* stepsLeft) : at_(at), stepsLeft_(stepsLeft) {}
    const wchar_t* get() const { return at_; }

    reference operator*() const { return *at_; }
    reference operator[](difference_type n) const { return at_[n]; }
    Cursor& operator+=(difference_type n) {
        if (stepsLeft_) Spend(n < 0 ? -n : n);
        at_ += n;
        return *this;
    }
    Cursor& operator-=(difference_type n) { return *this += -n; }
    Cursor& operator++() { return *this += 1; }
    Cursor& operator--() { return *this += -1; }
    Cursor operator++(int) {
        Cursor was = *this;
        *this += 1;
        return was;
    }
    Cursor operator--(int) {
        Cursor was = *this;
        *this += -1;
        return was;
    }
    friend Cursor operator+(Cursor c, difference_type n) { return c += n; }
    friend Cursor operator+(difference_type n, Cursor c) { return c += n; }
    friend Cursor operator-(Cursor c, difference_type n) { return c -= n; }
    friend difference_type operator-(const Cursor& a, const Cursor& b) { return a.at_ - b.at_; }
    friend bool operator==(const Cursor& a, const Cursor& b) { return a.at_ == b.at_; }
    friend auto operator<=>(const Cursor& a, const Cursor& b) { return a.at_ <=> b.at_; }

private:
    void Spend(std::size_t steps) {
        if (*stepsLeft_ < steps) throw OutOfSteps();
        *stepsLeft_ -= steps;
    }

    const wchar_t* at_ = nullptr;
    std::size_t* stepsLeft_ = nullptr;
};

// Generous for any real text (reading a search answer moves over each character a few times), small
// enough that a hostile subject is given up within a second or two.
std::size_t StepBudget(std::size_t subjectLength) {
    return 20'000'000 + 32 * subjectLength;
}

std::wstring ReplaceAll(std::wstring text, std::wstring_view token, std::wstring_view by) {
    for (size_t at = text.find(token); at != std::wstring::npos; at = text.find(token, at + by.size()))
        text.replace(at, token.size(), by);
    return text;
}

}  // namespace

struct RegexMatcher::Results {
    std::wstring pattern;  // as handed to the engine
    std::wstring subject;  // own copy: the spans below point into it
    std::optional<Engine> engine;
    flags::match_flag_type matchFlags = flags::match_default;
    bool global = true;
    int groups = 0;
    int count = 0;
    // For each match, groups + 1 (begin, end) offsets into subject, the whole match first;
    // -1 marks a group that took no part in the match.
    std::vector<std::ptrdiff_t> spans;

    std::wstring Span(int match, int group) const {
        size_t at = (static_cast<size_t>(match) * (groups + 1) + group) * 2;
        if (spans[at] < 0) return {};
        return subject.substr(spans[at], spans[at + 1] - spans[at]);
    }
};

RegexMatcher::RegexMatcher() = default;
RegexMatcher::~RegexMatcher() = default;

bool RegexMatcher::Run(std::wstring pattern, std::wstring_view subject, bool ignoreCase, bool multiline,
                       bool global) {
    results_.reset();
    auto r = std::make_unique<Results>();
    r->pattern = std::move(pattern);
    r->subject.assign(subject);
    r->global = global;
    // "." never crosses a line break, so no group spans two lines of a file or an answer.
    r->matchFlags = flags::match_default | flags::match_not_dot_newline;
    if (!multiline) r->matchFlags |= flags::match_single_line;
    try {
        r->engine.emplace(r->pattern, flags::perl | (ignoreCase ? flags::icase : flags::normal));
        r->groups = static_cast<int>(r->engine->mark_count());
        const wchar_t* base = r->subject.data();
        std::size_t stepsLeft = StepBudget(r->subject.size());
        Cursor first(base, &stepsLeft), last(base + r->subject.size(), &stepsLeft);
        using Iterator = boost::regex_iterator<Cursor, wchar_t, CaseTableTraits>;
        for (Iterator it(first, last, *r->engine, r->matchFlags), end; it != end; ++it) {
            const auto& m = *it;
            for (int g = 0; g <= r->groups; ++g) {
                bool took = m[g].matched;
                r->spans.push_back(took ? m[g].first.get() - base : -1);
                r->spans.push_back(took ? m[g].second.get() - base : -1);
            }
            ++r->count;
            if (!global) break;
        }
    } catch (...) {
        // A rejected pattern (boost::regex_error), a run over the engine's complexity limit or our step
        // budget (std::runtime_error), or memory running out: no results, and the caller sees zero matches.
        r->engine.reset();
        r->spans.clear();
        r->count = 0;
        results_ = std::move(r);
        return false;
    }
    results_ = std::move(r);
    return true;
}

std::wstring RegexMatcher::CurrentPattern() const {
    return results_ ? results_->pattern : std::wstring();
}

std::wstring RegexMatcher::ReplaceMatches(std::wstring_view replacement) const {
    if (!results_ || !results_->engine) return {};
    auto f = results_->matchFlags | flags::format_default;
    if (!results_->global) f |= flags::format_first_only;
    const std::wstring& subject = results_->subject;
    std::size_t stepsLeft = StepBudget(subject.size());
    Cursor first(subject.data(), &stepsLeft), last(subject.data() + subject.size(), &stepsLeft);
    std::wstring out;
    try {
        boost::regex_replace(std::back_inserter(out), first, last, *results_->engine, std::wstring(replacement), f);
        return out;
    } catch (...) {
        return {};
    }
}

int RegexMatcher::MatchCount() const {
    return results_ ? results_->count : 0;
}

std::wstring RegexMatcher::MatchText(int match) const {
    if (match < 1 || match > MatchCount()) return {};
    return results_->Span(match - 1, 0);
}

std::wstring RegexMatcher::SubmatchText(int match, int group) const {
    if (match < 1 || match > MatchCount() || group < 1 || group > results_->groups) return {};
    return results_->Span(match - 1, group);
}

int RegexMatcher::FirstMatchSubmatchCount() const {
    return MatchCount() > 0 ? results_->groups : 0;
}

bool SearchRegexMatcher::Match(std::wstring_view pattern, std::wstring_view subject, bool ignoreCase,
                               bool multiline, bool global) {
    return Run(std::wstring(pattern), subject, ignoreCase, multiline, global);
}

bool RestoreRegexMatcher::Match(std::wstring_view pattern, std::wstring_view subject, bool caseSensitive,
                                bool multiline, bool global, bool quoteToken) {
    std::wstring handed(pattern);
    if (quoteToken) handed = ReplaceAll(std::move(handed), kQuoteToken, L"\"");
    return Run(std::move(handed), subject, !caseSensitive, multiline, global);
}

}  // namespace regex
