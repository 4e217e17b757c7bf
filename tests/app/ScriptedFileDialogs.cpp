#include "tests/app/ScriptedFileDialogs.h"

namespace testsupport {

QStringList ScriptedFileDialogs::savePresets() const {
    QStringList presets;
    for (const Shown& shown : m_shown) {
        if (shown.kind == Kind::Save) {
            presets << shown.presetName;
        }
    }
    return presets;
}

std::optional<QString> ScriptedFileDialogs::openDtaFile(QWidget* owner) {
    return answer(Kind::Open, owner, QString(), m_openAnswers);
}

std::optional<QString> ScriptedFileDialogs::saveXmlFile(QWidget* owner, const QString& presetName) {
    return answer(Kind::Save, owner, presetName, m_saveAnswers);
}

void ScriptedFileDialogs::queue(std::deque<Answer>& answers, const std::optional<QString>& answer) {
    answers.push_back({answer.has_value(), answer.value_or(QString())});
}

std::optional<QString> ScriptedFileDialogs::answer(Kind kind, QWidget* owner,
                                                   const QString& presetName,
                                                   std::deque<Answer>& answers) {
    m_shown.push_back({kind, owner, presetName});
    if (m_hook) {
        m_hook(kind);
    }
    if (answers.empty()) {
        return std::nullopt;
    }
    const Answer next = answers.front();
    answers.pop_front();
    if (!next.confirmed) {
        return std::nullopt;
    }
    return next.name;
}

} // namespace testsupport
