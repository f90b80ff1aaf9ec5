// The window program's entry point: the main window (whose creation restores
// the language and starts the update check), the hidden area builder window,
// and the message loop.
#include "app/browser.h"
#include "app/update_check.h"
#include "ui/tdombepito.h"
#include "ui/tform1.h"

#include <QApplication>
#include <QLabel>

#include <memory>

namespace {

// The main window as the update check sees it.
class MainWindowHost : public kestrane::UpdateCheckHost {
public:
    explicit MainWindowHost(kestrane::ui::TForm1& window) : window_(window) {}

    kestrane::UiLanguage language() const override { return window_.language(); }
    void setStatusText(const QString& text) override { window_.setStatusText(text); }
    void announceNewVersion(const QString& labelCaption, const QString& webAddress) override
    {
        window_.webLabel()->setText(labelCaption);
        if (!webAddress.isEmpty())
            window_.setWebAddress(webAddress);
    }

private:
    kestrane::ui::TForm1& window_;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrane Builder"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kestrane Builder"));

    // The last step of the main window's creation starts the update check;
    // the web label opens its address in the browser.
    kestrane::ui::TForm1::UpdateCheckStarter() = [](kestrane::ui::TForm1& window) {
        kestrane::AttachUpdateCheck(window, std::make_unique<MainWindowHost>(window));
    };
    kestrane::ui::TForm1::BrowserOpener() = [](const QString& address) { kestrane::OpenInBrowser(address); };

    kestrane::ui::TForm1 mainWindow;
    kestrane::ui::TDombepito areaWindow(&mainWindow);
    mainWindow.setAreaWindow(&areaWindow);
    mainWindow.show();
    return QApplication::exec();
}
