#pragma once

#include "binding/MessageSink.h"

#include <string>
#include <vector>

namespace testsupport {

// One message box as the reporter asked for it.
struct ShownMessage {
    zalvo::OwnerWindow owner;
    std::string caption;
    std::string text; // Windows-1252, CR LF, exactly as composed
    zalvo::MessageIcon icon;
    std::string description; // empty: assistive tools read the text
};

// Records message boxes instead of showing them.
class RecordingMessageSink : public zalvo::MessageSink {
public:
    void show(zalvo::OwnerWindow owner, std::string_view caption, std::string_view text,
              zalvo::MessageIcon icon, std::string_view description) override;

    const std::vector<ShownMessage>& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

private:
    std::vector<ShownMessage> m_messages;
};

// Installs a recording sink as the reporter's sink for the lifetime of the object and puts
// the previous one back afterwards.
class ScopedRecordingSink {
public:
    ScopedRecordingSink();
    ~ScopedRecordingSink();
    ScopedRecordingSink(const ScopedRecordingSink&) = delete;
    ScopedRecordingSink& operator=(const ScopedRecordingSink&) = delete;

    RecordingMessageSink& sink() { return m_sink; }
    const std::vector<ShownMessage>& messages() const { return m_sink.messages(); }

private:
    RecordingMessageSink m_sink;
    zalvo::MessageSink* m_previous;
};

} // namespace testsupport
