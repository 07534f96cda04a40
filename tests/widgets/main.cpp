#include <QApplication>

int runUtilThreadTests(int argc, char** argv);
int runLanguageTests(int argc, char** argv);
int runMessageDlgTests(int argc, char** argv);
int runWidgetKitTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    failures += runUtilThreadTests(argc, argv);
    failures += runLanguageTests(argc, argv);
    failures += runMessageDlgTests(argc, argv);
    failures += runWidgetKitTests(argc, argv);
    return failures;
}
