// The toolkit's base class of exceptions (VCL's `Exception`): a message
// shown by the application's standard exception display.
#pragma once

#include <QString>

namespace toolkit {

class Exception {
 public:
  explicit Exception(QString message) : message_(std::move(message)) {}
  virtual ~Exception() = default;
  Exception(const Exception&) = default;
  Exception& operator=(const Exception&) = default;

  const QString& Message() const { return message_; }

 private:
  QString message_;
};

}  // namespace toolkit

using Exception = toolkit::Exception;
