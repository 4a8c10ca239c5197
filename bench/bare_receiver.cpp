// eew-bench-receiver: the floor a Qt program pays per datagram. Binds a
// QUdpSocket to 127.0.0.1:PORT, reads and counts datagrams on the event loop
// and does nothing else. Quits by itself after at most SECONDS.

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int port = argc > 1 ? std::atoi(argv[1]) : 0;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 600;
    if (port <= 0 || port > 65535 || seconds <= 0 || seconds > 3600) {
        std::fputs("usage: eew-bench-receiver PORT [SECONDS (default 600)]\n", stderr);
        return 2;
    }
    QUdpSocket socket;
    if (!socket.bind(QHostAddress::LocalHost, static_cast<quint16>(port))) {
        std::fprintf(stderr, "cannot bind 127.0.0.1:%d: %s\n", port,
                     socket.errorString().toLocal8Bit().constData());
        return 1;
    }
    long count = 0;
    QObject::connect(&socket, &QUdpSocket::readyRead, [&] {
        while (socket.hasPendingDatagrams()) {
            socket.receiveDatagram();
            ++count;
        }
    });
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    std::printf("received %ld datagram(s)\n", count);
    return 0;
}
