#pragma once
// A fresh folder under the system temp folder for one test, removed with everything in it.
#include <string>

namespace testing_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::wstring& path() const { return path_; }  // no trailing "\"
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

void RemoveTree(const std::wstring& path);

}  // namespace testing_support
