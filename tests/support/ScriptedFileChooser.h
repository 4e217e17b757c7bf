#pragma once

#include "binding/DtaFileChooser.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// File dialogs of the DTA run that answer what a test queued, in order, and remember what they
// were asked. A dialog without a queued answer is cancelled. Names are UTF-8.
class ScriptedFileChooser : public zalvo::DtaFileChooser {
public:
    enum class Kind { Open, Save };

    struct Shown {
        Kind kind;
        zalvo::OwnerWindow owner;
        std::string presetName; // empty for the open dialog
    };

    // An answer of std::nullopt cancels.
    void answerOpen(const std::optional<std::string>& answer) { m_openAnswers.push_back(answer); }
    void answerSave(const std::optional<std::string>& answer) { m_saveAnswers.push_back(answer); }
    // Runs while a dialog is "open", before it answers.
    void onShow(std::function<void(Kind)> hook) { m_hook = std::move(hook); }

    const std::vector<Shown>& shown() const { return m_shown; }
    std::vector<std::string> savePresets() const;

    std::optional<std::string> chooseDtaFile(zalvo::OwnerWindow owner) override;
    std::optional<std::string> chooseXmlTarget(zalvo::OwnerWindow owner,
                                               std::string_view presetName) override;

private:
    using Answers = std::deque<std::optional<std::string>>;

    std::optional<std::string> answer(Kind kind, zalvo::OwnerWindow owner,
                                      std::string_view presetName, Answers& answers);

    Answers m_openAnswers;
    Answers m_saveAnswers;
    std::function<void(Kind)> m_hook;
    std::vector<Shown> m_shown;
};

} // namespace testsupport
