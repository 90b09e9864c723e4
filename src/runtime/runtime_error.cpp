#include "runtime/runtime_error.h"

namespace vemora {

const char* ErrorText(ErrorNumber number) {
  switch (number) {
    case ErrorNumber::kInvalidCall:
      return "Unzulässiger Prozeduraufruf oder ungültiges Argument";
    case ErrorNumber::kOverflow:
      return "Überlauf";
    case ErrorNumber::kSubscriptOutOfRange:
      return "Index außerhalb des definierten Bereichs";
    case ErrorNumber::kDivisionByZero:
      return "Division durch Null";
    case ErrorNumber::kFileNotFound:
      return "Datei nicht gefunden";
    case ErrorNumber::kInvalidPropertyValue:
      return "Unzulässiger Eigenschaftswert";
    case ErrorNumber::kPropertyNotSupported:
      return "Objekt unterstützt diese Eigenschaft oder Methode nicht";
  }
  return "Anwendungs- oder objektdefinierter Fehler";
}

void Raise(ErrorNumber number) {
  throw RuntimeError(number);
}

std::string UnhandledErrorMessage(const RuntimeError& error) {
  return "Laufzeitfehler '" + std::to_string(error.Code()) + "':\n\n" + error.what();
}

}  // namespace vemora
