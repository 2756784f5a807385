#include "app/main_layout.h"

#include "app/main_view_model.h"

#include <stdexcept>

namespace kadoru {

std::string_view locked_control_name(LockedControl control) {
    static constexpr std::array<std::string_view, lock_order.size()> names = {
        "b_ok",     "b_cancel", "Dir1",     "Drive1",   "Drive2",   "File1",      "Command1",
        "Command6", "Command2", "Command3", "Command4", "Command5", "Combo_ftype"};
    return names.at(static_cast<std::size_t>(control));
}

const Label& main_figure(const MainViewModel& model, std::string_view name) {
    if (name == "Label7")
        return model.label7;
    if (name == "Label8")
        return model.label8;
    if (name == "Label9")
        return model.label9;
    if (name == "Label11")
        return model.label11;
    throw std::invalid_argument("no figure of the main window");
}

std::string_view caption_of(std::string_view list) {
    for (const auto& [caption, captioned] : main_captions)
        for (const auto& control : main_controls)
            if (captioned == list && control.name == caption)
                return control.caption;
    return {};
}

} // namespace kadoru
