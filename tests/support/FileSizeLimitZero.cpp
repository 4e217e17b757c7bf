#include "tests/support/FileSizeLimitZero.h"

#include <csignal>

namespace testsupport {

FileSizeLimitZero::FileSizeLimitZero() {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit zero = m_saved;
    zero.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &zero);
}

FileSizeLimitZero::~FileSizeLimitZero() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_savedHandler);
}

} // namespace testsupport
