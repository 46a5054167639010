#include "services/result.h"

#include "platform/jet.h"

namespace qw {

RuntimeError RuntimeError::From(const std::exception& e) {
  RuntimeError err;
  if (const auto* jet = dynamic_cast<const JetError*>(&e)) {
    err.number = jet->number();
    err.source = jet->source();
    err.description = jet->description();
    return err;
  }
  err.number = kGeneralRuntimeError;
  err.source = QStringLiteral("Quaywise");
  err.description = QString::fromUtf8(e.what());
  return err;
}

}  // namespace qw
