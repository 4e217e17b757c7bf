#include "tests/support/ScriptedFileChooser.h"

namespace testsupport {

std::vector<std::string> ScriptedFileChooser::savePresets() const {
    std::vector<std::string> presets;
    for (const Shown& shown : m_shown) {
        if (shown.kind == Kind::Save) {
            presets.push_back(shown.presetName);
        }
    }
    return presets;
}

std::optional<std::string> ScriptedFileChooser::chooseDtaFile(zalvo::OwnerWindow owner) {
    return answer(Kind::Open, owner, {}, m_openAnswers);
}

std::optional<std::string> ScriptedFileChooser::chooseXmlTarget(zalvo::OwnerWindow owner,
                                                                std::string_view presetName) {
    return answer(Kind::Save, owner, presetName, m_saveAnswers);
}

std::optional<std::string> ScriptedFileChooser::answer(Kind kind, zalvo::OwnerWindow owner,
                                                       std::string_view presetName,
                                                       Answers& answers) {
    m_shown.push_back({kind, owner, std::string(presetName)});
    if (m_hook) {
        m_hook(kind);
    }
    if (answers.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> next = std::move(answers.front());
    answers.pop_front();
    return next;
}

} // namespace testsupport
