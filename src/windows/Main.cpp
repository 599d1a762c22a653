#include "ui/app/Application.h"
#include "windows/MainUnt.h"

int main(int argc, char** argv) {
  ui::Application app(argc, argv);
  TMainFrm frame;
  MainFrm = &frame;
  frame.show();
  return app.exec();
}
