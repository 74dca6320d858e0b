// Korvane: wires the Qt platform to the program and runs it.
//
// korvane [FILE...] opens each FILE as a settings document: the first in the
// first session window, each further one in a window of its own. While one
// Korvane runs on the user's session bus, a second start hands its files to
// it and ends; the first serves scripts on the bus (org.korvane.Korvane).

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/AppScripting.h"
#include "app/EventQueue.h"
#include "app/ScreenTextFile.h"
#include "emulation/HostPaths.h"
#include "platform/CharMap.h"
#include "platform/InterfaceLanguage.h"
#include "platform/posix/PosixFiles.h"
#include "platform/posix/UserFolders.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtCellPictureWriter.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtSelectionFrame.h"
#include "platform/qt/ScriptBus.h"
#include "platform/StringTable.h"

namespace {

// The program's data files: beside an installed program, else the source
// tree's resources folder.
std::string ResourcesFolder() {
  const QString installed = QCoreApplication::applicationDirPath() + "/../share/korvane";
  if (QFileInfo(installed + "/interface.json").exists()) return QDir(installed).canonicalPath().toStdString();
  return KORVANE_RESOURCES_DIR;
}

// The compiled terminal descriptions Korvane ships: installed beside its
// data files, else in the build tree.
std::string TerminfoFolder(const std::string& resources) {
  const QString installed = QString::fromStdString(resources) + "/terminfo";
  if (QFileInfo(installed + "/v/vp").exists()) return installed.toStdString();
  return KORVANE_TERMINFO_DIR;
}

std::string ReadText(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvane;
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvane"));
  QApplication::setQuitOnLastWindowClosed(false);

  // One Korvane per session bus: a second start hands its documents over.
  const QStringList args = QCoreApplication::arguments().mid(1);
  platform::qt::ScriptingStart scripting = platform::qt::StartScriptingOrHandOver(args);
  if (scripting.outcome == platform::qt::ScriptingStart::kHandedOver) {
    qInfo("%s", args.isEmpty() ? "Korvane is already running." : "Korvane is already running: it opens the documents.");
    return 0;
  }

  const std::string resources = ResourcesFolder();
  // The user's locale gives the language, unless the settings folder's
  // "language" file names one.
  platform::PosixFiles files;
  const std::string language = platform::InterfaceLanguageName([](const char* name) { return std::getenv(name); },
                                                               ReadText(files.PreferencesFolderPath() + "language"));
  const std::string table = ReadText(resources + "/strings/" + language + ".txt");
  platform::StringTable strings;
  strings.Load(table);

  platform::InterfaceDescription description;
  std::string error;
  const bool described = platform::LoadInterfaceDescription(resources + "/interface.json", description, error);
  platform::LocaliseDescription(description, [&strings](const std::string& s) { return strings.Localise(s); });

  app::EventQueue queue;
  platform::QtPlatform qt(queue, description, [&strings](const std::string& s) { return strings.Localise(s); });
  queue.onPost = [&qt] { qt.pump.Wake(); };

  app::Platform platform{qt.clock,    qt.pump,     qt.windows,     qt.menus,     qt.alerts,
                         qt.cursors,  qt.files,    qt.processes,   qt.desktop,   qt.sounds,
                         qt.printing, qt.programs, qt.fileDialogs, qt.clipboard, &qt.keyMap};
  // The writer of the pictures copied to the clipboard; a selection frame in
  // each session window's view.
  platform::QtCellPictureWriter cellPictures;
  platform.cellPictures = &cellPictures;
  platform.fonts = &qt.fonts;
  platform.pictureFiles = &qt.pictureFiles;
  platform.selectionFrame = [&qt](int window) -> std::unique_ptr<platform::SelectionFrame> {
    return std::make_unique<platform::QtSelectionFrame>(qt.windows.View(window));
  };
  app::StartupData data;
  data.preferencesFolder = qt.files.PreferencesFolderPath();
  data.programs = ChildPrograms::ForThisUser();
  data.programs.TerminfoFolder = TerminfoFolder(resources);
  data.stringTable = table;
  data.errorMessages = ReadText(resources + "/errors.txt");
  data.menuBarInstalled = described;
  data.menuBarError = platform::MacRomanFromUtf8(error);
  data.resourcesFolder = resources;
  data.hostFolders = HostFoldersForThisUser(resources);

  app::App app(platform, queue, std::move(data));
  app.askSettingsFileName = [&strings](const std::string& proposed) -> std::optional<std::string> {
    const QString title = QString::fromStdString(platform::Utf8FromMacRoman(strings.Localise("Save Settings as")));
    const QString chosen =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), title, QString::fromStdString(proposed));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
  };

  // Without a bus the program runs on; a script that tries to reach it is
  // told by its client that there is no session bus.
  if (scripting.bus) {
    scripting.bus->Attach(app.scripting->Commands(), *app.scripting, qt.clock);
    scripting.bus->onServiced = [&qt] { qt.pump.Wake(); };
  } else
    qWarning("%s", qPrintable(scripting.message));
  // Tests of the running program read the active session's screen from the
  // file this variable names.
  std::unique_ptr<app::ScreenTextFile> screenText;
  QTimer screenTextTimer;
  if (const char* path = std::getenv("KORVANE_SCREEN_TEXT"); path && *path) {
    screenText = std::make_unique<app::ScreenTextFile>(path);
    QObject::connect(&screenTextTimer, &QTimer::timeout, [&screenText, &app] { screenText->Update(app); });
    screenTextTimer.start(100);
  }

  std::vector<std::string> documents;
  for (const QString& arg : args) documents.push_back(arg.toStdString());
  app.OpenDocuments(documents);

  // For the tests that drive the program from outside: KORVANE_OPEN_WINDOWS
  // names numbered windows ("15", or "15,18,27") that open for the first
  // session once it is up, as their menu items open them.
  const QStringList toOpen = qEnvironmentVariable("KORVANE_OPEN_WINDOWS").split(',', Qt::SkipEmptyParts);
  if (!toOpen.isEmpty()) {
    while (!app.Finished() && !app.IdlePassSeen) app.Turn();
    if (SessionWindow* w = app.windows.Active())
      for (const QString& n : toOpen) w->services.dialogs.OpenDialog(n.trimmed().toInt());
  }
  const int status = app.Run();
  // No script reaches the program while it is taken down.
  scripting.bus.reset();
  return status;
}
