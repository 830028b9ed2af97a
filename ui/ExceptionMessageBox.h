#pragma once

#include <QString>
#include <functional>

// The application's standard error box: an exception that leaves start-up or an event handler ends up
// here, titled "Zentick" with the exception's message and one OK button.
namespace ExceptionMessageBox {

// Inside a catch block: the message of the exception being handled. Our Exception and the standard
// exceptions carry one; anything else thrown has none.
QString currentMessage();

void show(const QString& message);

// Test hooks, so no run ever waits for a person. With ZENTICK_AUTO_DISMISS=1 in the environment the box
// closes itself as soon as it is open and the message is also written to stderr for the caller to read.
// In-process tests install an observer instead: the box is then not shown and the observer gets the
// message; an empty function removes it.
void setObserver(std::function<void(const QString&)> observer);

} // namespace ExceptionMessageBox
