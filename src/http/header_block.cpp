#include "http/header_block.h"

#include "http/byte_text.h"

namespace http {

std::string NormaliseHeaderName(std::string_view name) {
    std::string n(name);
    if (n.empty()) return n;
    if (n.back() == ':') return n + " ";
    if (!n.ends_with(": ")) n += ": ";
    return n;
}

size_t HeaderBlock::Find(std::string_view name) const {
    size_t at = FindTextNoCase(text_, "\r\n" + std::string(name));
    return at == npos ? npos : at + 2;
}

bool HeaderBlock::Contains(std::string_view name) const {
    return Find(name) != npos;
}

void HeaderBlock::Write(std::string_view name, std::string_view value) {
    size_t line = Find(name);
    if (line == npos) {
        Append(name, value);
        return;
    }
    size_t start = line + name.size();
    size_t end = FindText(text_, "\r\n", start);
    text_.replace(start, (end == npos ? text_.size() : end) - start, value);
}

void HeaderBlock::Append(std::string_view name, std::string_view value) {
    text_.append(name).append(value).append("\r\n");
}

bool HeaderBlock::Remove(std::string_view name) {
    size_t line = Find(name);
    if (line == npos) return false;
    size_t end = FindText(text_, "\r\n", line + name.size());
    text_.erase(line, end == npos ? npos : end + 2 - line);
    return true;
}

}  // namespace http
