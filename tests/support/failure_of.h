#pragma once

#include "platform/failure.h"

namespace kadoru::test {

// The failure number a call throws; 0 when it succeeds.
template <class Call> int failure_of(Call call) {
    try {
        call();
    } catch (const Failure& failure) {
        return failure.code();
    }
    return 0;
}

} // namespace kadoru::test
