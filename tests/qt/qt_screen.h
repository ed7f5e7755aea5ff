// An offscreen screen of a given size and scale factor for one test: the QApplication is made
// with it (the scale factor is read when the application starts) and goes at the end of the
// scope, which then gives back the environment it found.

#pragma once

#include <QApplication>
#include <QCoreApplication>

#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "support/TempDir.h"

namespace tav::test {

struct TestScreen {
    int width, height;  // in device pixels
    int scale;          // QT_SCALE_FACTOR
};

inline void PrintTo(const TestScreen& s, std::ostream* os) {
    *os << s.width << "x" << s.height << " at scale " << s.scale;
}

class ScreenScope {
public:
    explicit ScreenScope(TestScreen screen) {
        dir_.Write("screen.json", "{\"screens\": [{\"name\": \"Test\", \"x\": 0, \"y\": 0, \"width\": " +
                                      std::to_string(screen.width) + ", \"height\": " + std::to_string(screen.height) +
                                      ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}");
        Set("QT_QPA_PLATFORM", "offscreen:configfile=" + dir_.File("screen.json"));
        Set("QT_SCALE_FACTOR", std::to_string(screen.scale));
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    ~ScreenScope() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app_.reset();
        for (auto& [name, value] : saved_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    ScreenScope(const ScreenScope&) = delete;
    ScreenScope& operator=(const ScreenScope&) = delete;

private:
    void Set(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name.c_str(), value.c_str(), 1);
    }

    TempDir dir_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    int argc_ = 1;
    char name_[8] = "test_qt";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

}  // namespace tav::test
