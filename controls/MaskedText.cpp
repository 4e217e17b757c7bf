#include "controls/MaskedText.h"

#include "controls/CharClassTable.h"

#include <algorithm>
#include <utility>

namespace {

constexpr char kBlank = ' ';
constexpr char kFirstTypedCode = 32;
// Pasted text has no real predecessor; this code keeps the mixed rule from upper-casing.
constexpr char kPastePredecessor = static_cast<char>(0xFF);

bool sharedOverwriteState = false;

} // namespace

MaskedText::MaskedText(char mask, int maxLength)
    : m_mask(IsPictureMask(mask) ? mask : kMaskAnyText),
      m_maxLength(std::clamp(maxLength, kMinLength, kMaxLength)) {}

void MaskedText::setMask(char mask) {
    if (IsPictureMask(mask))
        m_mask = mask;
    remember();
}

void MaskedText::setMaxLength(int maxLength) {
    m_maxLength = std::clamp(maxLength, kMinLength, kMaxLength);
    if (static_cast<int>(m_text.size()) > m_maxLength)
        m_text.resize(static_cast<std::size_t>(m_maxLength));
    clampPositions();
    remember();
}

const CharClassTable& MaskedText::table() const {
    return m_table != nullptr ? *m_table : CharClassTable::defaultTable();
}

void MaskedText::setText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    text = text.substr(0, static_cast<std::size_t>(m_maxLength));
    const CaseRule rule = table().caseRule(m_mask);
    m_text.clear();
    char preceding = kBlank;
    for (char c : text) {
        m_text += ApplyCaseRule(rule, c, preceding);
        preceding = m_text.back();
    }
    m_caret = m_anchor = static_cast<int>(m_text.size());
    m_undo = {m_text, m_caret, m_anchor};
}

const std::string& MaskedText::readText() {
    validate();
    return m_text;
}

bool MaskedText::validate() {
    if (!m_focused)
        return false;
    const auto first = m_text.find_first_not_of(kBlank);
    if (first == std::string::npos) {
        if (m_text.empty())
            return false;
        m_text.clear();
        clampPositions();
        return true;
    }
    const auto last = m_text.find_last_not_of(kBlank);
    if (first == 0 && last + 1 == m_text.size())
        return false;
    const int lead = static_cast<int>(first);
    m_text = m_text.substr(first, last + 1 - first);
    m_caret -= std::min(m_caret, lead);
    m_anchor -= std::min(m_anchor, lead);
    clampPositions();
    return true;
}

int MaskedText::selectionStart() const {
    return std::min(m_anchor, m_caret);
}

int MaskedText::selectionEnd() const {
    return std::max(m_anchor, m_caret);
}

std::string MaskedText::selectedText() const {
    return m_text.substr(static_cast<std::size_t>(selectionStart()),
                         static_cast<std::size_t>(selectionEnd() - selectionStart()));
}

void MaskedText::setCaret(int position) {
    setSelection(position, position);
}

void MaskedText::setSelection(int anchor, int caret) {
    m_anchor = anchor;
    m_caret = caret;
    clampPositions();
}

void MaskedText::selectAll() {
    setSelection(0, static_cast<int>(m_text.size()));
}

bool MaskedText::sharedOverwrite() {
    return sharedOverwriteState;
}

void MaskedText::setSharedOverwrite(bool overwrite) {
    sharedOverwriteState = overwrite;
}

void MaskedText::focusIn(FocusReason reason) {
    m_focused = true;
    m_overwrite = sharedOverwriteState;
    if (reason == FocusReason::Keyboard)
        selectAll();
    else if (reason == FocusReason::Mouse)
        setCaret(m_caret);
}

bool MaskedText::focusOut(bool temporary) {
    sharedOverwriteState = m_overwrite;
    if (temporary)
        return false;
    const bool changed = validate();
    m_focused = false;
    return changed;
}

bool MaskedText::typeChar(char c) {
    if (static_cast<unsigned char>(c) < kFirstTypedCode)
        return true;
    const CharAdmission verdict = AdmitChar(m_mask, c, precedingChar(), table());
    if (!verdict.admitted)
        return false;
    if (hasSelection()) {
        remember();
        removeSelection();
        return insertPushing(verdict.character);
    }
    if (m_overwrite) {
        if (m_caret >= m_maxLength)
            return false;
        remember();
        if (m_caret < static_cast<int>(m_text.size()))
            m_text[static_cast<std::size_t>(m_caret)] = verdict.character;
        else
            m_text += verdict.character;
        m_anchor = ++m_caret;
        return true;
    }
    if (static_cast<int>(m_text.size()) >= m_maxLength &&
        m_caret >= static_cast<int>(m_text.size()))
        return false;
    remember();
    return insertPushing(verdict.character);
}

int MaskedText::paste(std::string_view text) {
    remember();
    removeSelection();
    int inserted = 0;
    for (char c : text) {
        const CharAdmission verdict = AdmitChar(m_mask, c, kPastePredecessor, table());
        if (verdict.admitted && insertPushing(verdict.character))
            ++inserted;
    }
    return inserted;
}

void MaskedText::backspace() {
    if (hasSelection()) {
        remember();
        removeSelection();
    } else if (m_caret > 0) {
        remember();
        m_text.erase(static_cast<std::size_t>(m_caret - 1), 1);
        m_anchor = --m_caret;
    }
}

void MaskedText::deleteForward() {
    if (hasSelection()) {
        remember();
        removeSelection();
    } else if (m_caret < static_cast<int>(m_text.size())) {
        remember();
        m_text.erase(static_cast<std::size_t>(m_caret), 1);
    }
}

std::string MaskedText::cut() {
    std::string taken = selectedText();
    if (!taken.empty()) {
        remember();
        removeSelection();
    }
    return taken;
}

void MaskedText::undo() {
    Snapshot current{m_text, m_caret, m_anchor};
    m_text = std::move(m_undo.text);
    m_caret = m_undo.caret;
    m_anchor = m_undo.anchor;
    m_undo = std::move(current);
    clampPositions();
}

char MaskedText::precedingChar() const {
    const int at = selectionStart();
    return at > 0 ? m_text[static_cast<std::size_t>(at - 1)] : kBlank;
}

void MaskedText::removeSelection() {
    const int start = selectionStart();
    m_text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(selectionEnd() - start));
    m_caret = m_anchor = start;
}

bool MaskedText::insertPushing(char c) {
    const int length = static_cast<int>(m_text.size());
    if (length >= m_maxLength) {
        if (m_caret >= length)
            return false;
        m_text.pop_back();
    }
    m_text.insert(static_cast<std::size_t>(m_caret), 1, c);
    m_anchor = ++m_caret;
    return true;
}

void MaskedText::remember() {
    m_undo = {m_text, m_caret, m_anchor};
}

void MaskedText::clampPositions() {
    const int length = static_cast<int>(m_text.size());
    m_caret = std::clamp(m_caret, 0, length);
    m_anchor = std::clamp(m_anchor, 0, length);
}
