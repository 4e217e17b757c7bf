#pragma once

#include "app/DtaFileDialogs.h"

#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

namespace testsupport {

// File dialogs that answer what a test queued, in order, and remember what they were asked.
// A dialog without a queued answer is cancelled.
class ScriptedFileDialogs : public DtaFileDialogs {
public:
    enum class Kind { Open, Save };

    struct Shown {
        Kind kind;
        QWidget* owner;
        QString presetName; // empty for the open dialog
    };

    // An answer of std::nullopt cancels.
    void answerOpen(const std::optional<QString>& answer) { queue(m_openAnswers, answer); }
    void answerSave(const std::optional<QString>& answer) { queue(m_saveAnswers, answer); }
    // Runs while a dialog is "open", before it answers.
    void onShow(std::function<void(Kind)> hook) { m_hook = std::move(hook); }

    const std::vector<Shown>& shown() const { return m_shown; }
    QStringList savePresets() const;

    std::optional<QString> openDtaFile(QWidget* owner) override;
    std::optional<QString> saveXmlFile(QWidget* owner, const QString& presetName) override;

private:
    struct Answer {
        bool confirmed;
        QString name;
    };

    static void queue(std::deque<Answer>& answers, const std::optional<QString>& answer);
    std::optional<QString> answer(Kind kind, QWidget* owner, const QString& presetName,
                                  std::deque<Answer>& answers);

    std::deque<Answer> m_openAnswers;
    std::deque<Answer> m_saveAnswers;
    std::function<void(Kind)> m_hook;
    std::vector<Shown> m_shown;
};

} // namespace testsupport
