#include "tests/support/RecordingMessageSink.h"

#include "binding/ResultReporter.h"

namespace testsupport {

void RecordingMessageSink::show(zalvo::OwnerWindow owner, std::string_view caption,
                                std::string_view text, zalvo::MessageIcon icon,
                                std::string_view description) {
    m_messages.push_back(ShownMessage{owner, std::string(caption), std::string(text), icon,
                                      std::string(description)});
}

ScopedRecordingSink::ScopedRecordingSink() : m_previous(zalvo::ResultReporter::sink()) {
    zalvo::ResultReporter::setSink(&m_sink);
}

ScopedRecordingSink::~ScopedRecordingSink() {
    zalvo::ResultReporter::setSink(m_previous);
}

} // namespace testsupport
