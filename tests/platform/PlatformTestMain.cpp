#include <gtest/gtest.h>

#include <QCoreApplication>

// The link's sockets and the host's process want an application object, as in the editor.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
