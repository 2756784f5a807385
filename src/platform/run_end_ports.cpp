#include "platform/card_ejector.h"
#include "platform/desktop_notice.h"
#include "platform/failure.h"
#include "platform/note_store.h"

namespace kadoru {

CardEjector& no_card_ejector() {
    // Holds no state, so one object serves every caller.
    class NoCardEjector final : public CardEjector {
    public:
        Removable removable(const std::string& /*root*/) const override {
            return Removable::unknown;
        }
        std::optional<std::string> eject(const std::string& /*root*/) override {
            // Said of no system's service: this stand-in serves every system.
            throw Failure(failure_code::device_unavailable, "ドライブを取り出す機能がありません。");
        }
    };
    static NoCardEjector none;
    return none;
}

DesktopNotice& no_desktop_notice() {
    class NoDesktopNotice final : public DesktopNotice {
    public:
        void post(std::string_view /*text*/) override {}
    };
    static NoDesktopNotice none;
    return none;
}

NoteStore& no_note_store() {
    class NoNoteStore final : public NoteStore {
    public:
        std::string read() const override { return {}; }
        void write(std::string_view /*text*/) override {}
    };
    static NoNoteStore none;
    return none;
}

} // namespace kadoru
