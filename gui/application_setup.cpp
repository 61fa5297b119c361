#include "gui/application_setup.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "platform/program_folder.h"
#include "translations/program_translation.h"

namespace qvn {

namespace {

constexpr char kHolderName[] = "qvn_translations";
constexpr char kLanguageProperty[] = "qvn_language";

// Owns the translators of one language; going, it takes them out of the
// application and the catalogue out of the Qt-free code.
class TranslationHolder : public QObject {
 public:
  explicit TranslationHolder(QObject* application) : QObject(application) {
    setObjectName(kHolderName);
  }
  ~TranslationHolder() override {
    if (catalogue_installed_) InstallMessageCatalogue(nullptr);
    // Going with the application itself, there is nothing to take them out of.
    if (!QCoreApplication::instance()) return;
    if (catalogue_) QCoreApplication::removeTranslator(&catalogue_->Translator());
    if (qt_) QCoreApplication::removeTranslator(qt_.get());
  }

  bool InstallProgram(Language language) {
    auto catalogue = std::make_unique<QtMessageCatalogue>();
    if (!catalogue->Load(language)) return false;
    if (language == Language::kJapanese) return true;
    catalogue_ = std::move(catalogue);
    QCoreApplication::installTranslator(&catalogue_->Translator());
    // The catalogue lives as long as this holder: Qt-free code may ask it
    // until the last window is gone.
    InstallMessageCatalogue(catalogue_.get());
    catalogue_installed_ = true;
    return true;
  }

  bool InstallQt(Language language) {
    // Qt speaks English of itself.
    if (language == Language::kEnglish) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      return false;
    qt_ = std::move(translator);
    return QCoreApplication::installTranslator(qt_.get());
  }

 private:
  std::unique_ptr<QtMessageCatalogue> catalogue_;
  std::unique_ptr<QTranslator> qt_;
  bool catalogue_installed_ = false;
};

}  // namespace

void InstallFontSubstitutes() {
  QFont::insertSubstitution(QString::fromUtf8(u8"ＭＳ 明朝"), "IPAMincho");
  QFont::insertSubstitution(QString::fromUtf8(u8"ＭＳ ゴシック"), "IPAGothic");
  QFont::insertSubstitution(QString::fromUtf8(u8"ＭＳ Ｐ明朝"), "IPAPMincho");
  QFont::insertSubstitution(QString::fromUtf8(u8"ＭＳ Ｐゴシック"), "IPAPGothic");
  // Liberation Sans has Arial's metrics, so texts laid out for it keep their width.
  QFont::insertSubstitution("Arial", "Liberation Sans");
}

bool InstallLanguage(QCoreApplication& application, Language language) {
  delete application.findChild<TranslationHolder*>(kHolderName, Qt::FindDirectChildrenOnly);
  application.setProperty(kLanguageProperty, LanguageCode(language));
  auto* holder = new TranslationHolder(&application);
  bool program = holder->InstallProgram(language);
  // Qt's dialogs follow the program's words: Japanese buttons under an
  // English menu would read as a fault.
  Language qt_language = program ? language : Language::kJapanese;
  holder->InstallQt(qt_language);
  if (!program) application.setProperty(kLanguageProperty, LanguageCode(Language::kJapanese));
  return program;
}

bool InstallProgramTranslation(QCoreApplication& application, const std::string& program_folder,
                               const char* settings_file) {
  return InstallLanguage(application, ProgramLanguage(program_folder, settings_file));
}

Language InstalledLanguage(const QCoreApplication& application) {
  return application.property(kLanguageProperty).toString() == "en" ? Language::kEnglish
                                                                    : Language::kJapanese;
}

void SetUpApplication(QCoreApplication& application, const char* settings_file) {
  InstallFontSubstitutes();
  if (settings_file)
    InstallProgramTranslation(application, ProgramFolder(), settings_file);
  else
    InstallLanguage(application, LanguageOfEnvironment());
}

std::optional<int> PrintInfoOptionInLanguage(int argc, char** argv, const ProgramInfo& info) {
  // Only an answer needs the catalogue; a story starts without loading it twice.
  if (argc < 2 || !AnswerInfoOption(argv[1], info)) return std::nullopt;
  QtMessageCatalogue catalogue;
  bool loaded = catalogue.Load(InfoLanguage(info));
  if (loaded) InstallMessageCatalogue(&catalogue);
  std::optional<int> status = PrintInfoOption(argc, argv, info);
  if (loaded) InstallMessageCatalogue(nullptr);
  return status;
}

void SetProgramIdentity(const char* desktop_id) {
  QIcon icon;
  for (const char* size : {"48x48", "256x256"})
    icon.addFile(QString(":/icons/%1/apps/%2.png").arg(size, desktop_id));
  QGuiApplication::setWindowIcon(QIcon::fromTheme(desktop_id, icon));
  QGuiApplication::setDesktopFileName(desktop_id);
}

}  // namespace qvn
