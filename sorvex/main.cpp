#include "converter_app.h"

int main(int argc, char* argv[])
{
    sorvex::ConverterApp app(argc, argv);
    return app.run();
}
