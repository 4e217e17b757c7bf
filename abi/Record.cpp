#include "abi/Record.h"

namespace zalvo {

Record::Record(std::size_t size) : m_bytes(size, '\0') {}

} // namespace zalvo
