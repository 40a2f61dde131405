#include "http/cookie_jar.h"

#include "http/byte_text.h"

namespace http {
namespace {

constexpr std::string_view kSetCookie = "Set-Cookie:";
constexpr std::string_view kSeparator = "; ";

bool IsDeletion(std::string_view item) {
    if (item.size() < 9) return false;
    std::string_view tail = item.substr(item.size() - 9);
    return tail == "=deleted;" || tail == "=DELETED;" || tail == "=Deleted;";
}

// Calls `each` with every part of a ";"-separated text, blanks at its start removed.
template <typename Each>
void ForEachPart(std::string_view text, Each each) {
    size_t start = 0;
    for (;;) {
        size_t semi = FindText(text, ";", start);
        each(TrimBlanksStart(text.substr(start, semi == npos ? npos : semi - start)));
        if (semi == npos) return;
        start = semi + 1;
    }
}

}  // namespace

void CookieJar::Harvest(std::string_view block) {
    for (size_t at = FindTextNoCase(block, kSetCookie); at != npos; at = FindTextNoCase(block, kSetCookie, at)) {
        size_t start = at + kSetCookie.size();
        size_t lineEnd = block.find_first_of("\r\n", start);
        if (lineEnd == npos) lineEnd = block.size();
        size_t semi = FindText(block.substr(0, lineEnd), ";", start);
        std::string item;
        if (semi != npos) {
            item = TrimBlanksStart(block.substr(start, semi + 1 - start));
            at = semi + 1;
        } else {
            // A line that holds only name=value: the item ends with the line.
            item = std::string(TrimBlanks(block.substr(start, lineEnd - start))) + ";";
            at = lineEnd;
        }
        size_t equals = item.find('=');
        if (equals == npos) continue;
        std::string key = std::string(kSeparator) + item.substr(0, equals + 1);
        bool deletion = IsDeletion(item);
        size_t found = FindText(jar_, key);
        if (found == npos) {
            if (!deletion) jar_ += item + " ";
            continue;
        }
        size_t next = FindText(jar_, kSeparator, found + key.size());
        if (next == npos) continue;  // the jar lost its form here: leave it alone
        if (deletion) {
            jar_.erase(found + 1, next - found);  // the blank before the name through the entry's ";"
        } else {
            jar_.replace(found + 2, next + 1 - (found + 2), item);
        }
    }
}

bool CookieJar::Merge(std::string_view cookies) {
    bool changed = false;
    if (cookies.empty()) return false;
    ForEachPart(cookies, [&](std::string_view part) {
        size_t equals = part.find('=');
        if (equals == npos) return;
        std::string key = std::string(kSeparator) + std::string(part.substr(0, equals + 1));
        size_t found = FindText(jar_, key);
        if (found == npos) {
            jar_ += std::string(part) + std::string(kSeparator);
            changed = true;
            return;
        }
        size_t next = FindText(jar_, kSeparator, found + key.size());
        if (next == npos) return;
        jar_.replace(found + 2, next - (found + 2), part);
        changed = true;
    });
    return changed;
}

bool CookieJar::Remove(std::string_view names) {
    bool removed = false;
    if (names.empty()) return false;
    ForEachPart(names, [&](std::string_view part) {
        std::string key = std::string(kSeparator) + std::string(part.substr(0, part.find('='))) + "=";
        size_t found = FindText(jar_, key);
        if (found == npos) return;
        size_t next = FindText(jar_, kSeparator, found + key.size());
        if (next == npos) return;
        jar_.erase(found, next - found);
        removed = true;
    });
    return removed;
}

std::string CookieJar::Get(std::string_view name, bool withName) const {
    std::string key = std::string(kSeparator) + std::string(name) + "=";
    size_t found = FindText(jar_, key);
    if (found == npos) return {};
    size_t semi = FindText(jar_, ";", found + kSeparator.size() + name.size());
    if (semi == npos) return {};
    size_t from = withName ? found + kSeparator.size() : found + key.size();
    return jar_.substr(from, semi - from);
}

std::string CookieJar::CookieText() const {
    return jar_.size() > 4 ? jar_.substr(2, jar_.size() - 4) : std::string();
}

void CookieJar::SetText(std::string_view text) {
    if (text.empty()) {
        Empty();
        return;
    }
    jar_ = text.substr(0, 2) == kSeparator ? std::string(text) : std::string(kSeparator) + std::string(text);
    if (!jar_.ends_with(kSeparator)) {
        if (jar_.back() != ';') jar_ += ';';
        jar_ += ' ';
    }
}

}  // namespace http
