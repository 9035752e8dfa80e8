#include "platform/second_thread.h"

namespace tobrel {
namespace {

thread_local bool refused = false;

}  // namespace

bool SecondThreadsRefusedHere() { return refused; }

RefuseSecondThreads::RefuseSecondThreads() : was_refused_(refused) { refused = true; }

RefuseSecondThreads::~RefuseSecondThreads() { refused = was_refused_; }

}  // namespace tobrel
