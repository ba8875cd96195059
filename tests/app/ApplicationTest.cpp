#include "app/Application.h"

#include "../ui/ScriptedDialogs.h"

#include "platform/Failure.h"

#include <QEvent>
#include <gtest/gtest.h>

namespace zolvera::app {
namespace {

// An object whose event handler lets a failure escape, as a handler without its guard would.
class Throwing : public QObject {
public:
    bool event(QEvent*) override { throw Failure("Cannot open file \"x.jpg\". Nincs ilyen"); }
};

TEST(Application, AFailureThatEscapesAnEventIsReportedAndTheProgramGoesOn) {
    int argc = 1;
    char name[] = "zolvera";
    char* argv[] = {name, nullptr};
    test::ScriptedDialogs dialogs;
    Application app(argc, argv, dialogs);
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Zolvera"));

    Throwing receiver;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&receiver, &event));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Zolvera"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Cannot open file \"x.jpg\". Nincs ilyen."));
    EXPECT_EQ(dialogs.messages[0].icon, ui::MessageIcon::Error);
}

} // namespace
} // namespace zolvera::app
