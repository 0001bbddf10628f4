#include "ui/mainwindow/ProgramStart.h"

int main(int argc, char** argv) {
    return lexaro::RunLexaro(argc, argv);
}
