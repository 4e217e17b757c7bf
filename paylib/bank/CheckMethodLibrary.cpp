#include "paylib/bank/CheckMethodLibrary.h"

#if ZALVO_WITH_KTOBLZCHECK
#include "paylib/bank/KtoBlzCheckLibrary.h"
#else
#include "paylib/bank/OwnCheckMethodLibrary.h"
#endif

namespace paylib {

std::unique_ptr<CheckMethodLibrary> CheckMethodLibrary::forThisBuild() {
#if ZALVO_WITH_KTOBLZCHECK
    return std::make_unique<KtoBlzCheckLibrary>();
#else
    return std::make_unique<OwnCheckMethodLibrary>();
#endif
}

} // namespace paylib
