#include "app/message_boxes.h"

namespace app {

namespace {

class SystemBoxes final : public MessageBoxes {
public:
    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) override {
        return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
    }
};

}  // namespace

MessageBoxes& SystemMessageBoxes() {
    static SystemBoxes boxes;
    return boxes;
}

}  // namespace app
