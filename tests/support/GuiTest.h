#pragma once

#include "tests/support/RecordingMessageSink.h"

namespace testsupport {

// The recording sink the shared GUI test main installs as the reporter's sink. It is
// emptied before every test.
RecordingMessageSink& messageSink();

} // namespace testsupport
