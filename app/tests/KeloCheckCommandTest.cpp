// `kelo --check` on the built-in data: exit statuses and the lines it writes.
#include "KeloCheckCommand.h"
#include "KeloDemoDataClass.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct CheckCase {
    std::string number;
    int minimumInterval;
    int status;
    std::string out;
    std::string errors;
};

TEST(KeloCheckCommand, ExitStatusesAndLines) {
    const CheckCase cases[] = {
        {"02П", 3, 0, "", ""},
        {"134", 3, 1,
         "interval;180300;13:02;131;319\n"
         "overtaking;180300;13:02;131;319\n"
         "overtaking;052359;16:01;240;72Ж\n"
         "interval;052359;21:25;241;141\n"
         "overtaking;050900;10:28;140;314\n"
         "overtaking;050900;20:50;141;241\n"
         "overtaking;052500;19:05;141;337\n",
         ""},
        {"44Г", 0, 1, "overtaking;050101;20:21;53Т;05П\novertaking;050580;12:10;47Г;305\n", ""},
        {"02Я", 3, 2, "", "kelo: there is no kelo with the number \"02Я\"\n"},
    };
    for (const CheckCase& c : cases) {
        std::ostringstream out, errors;
        EXPECT_EQ(RunClashCheck(c.number, c.minimumInterval, MakeBuiltInSource(), out, errors),
                  c.status)
            << c.number;
        EXPECT_EQ(out.str(), c.out) << c.number;
        EXPECT_EQ(errors.str(), c.errors) << c.number;
    }
}

TEST(KeloCheckCommand, RunsAsTheProgramWithoutADisplay) {
    auto run = [](const QStringList& arguments, QByteArray* out = nullptr) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(environment);
        process.start(KELO_PROGRAM, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        if (out != nullptr)
            *out = process.readAllStandardOutput();
        return process.exitCode();
    };
    QByteArray out;
    EXPECT_EQ(run({"--check", "134", "--min-interval", "10"}, &out), 1);
    EXPECT_TRUE(out.startsWith("interval;180300;13:02;131;319\n")) << out.toStdString();
    EXPECT_EQ(run({"--check", "02П"}), 0);
    EXPECT_EQ(run({"--check", "134", "--min-interval", "-1"}), 2);
    EXPECT_EQ(run({"--check", "nope"}), 2);
}

} // namespace
