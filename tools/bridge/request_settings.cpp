#include "bridge/request_settings.hpp"

#include <QFile>
#include <QSslConfiguration>
#include <algorithm>

namespace eew::bridge {

std::variant<RequestSettings, std::string> read_request_settings(const std::string& header_file,
                                                                 const std::string& ca_file) {
    RequestSettings settings;
    if (!header_file.empty()) {
        QFile file(QString::fromStdString(header_file));
        if (!file.open(QIODevice::ReadOnly)) return "cannot read the header file " + header_file;
        int number = 0;
        for (const QByteArray& raw : file.readAll().split('\n')) {
            ++number;
            const QByteArray line = raw.trimmed();
            if (line.isEmpty() || line.startsWith('#')) continue;
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed();
            // A name is a token: no blank, no control character.
            const bool token = !name.isEmpty() && std::all_of(name.begin(), name.end(), [](char c) {
                return c > ' ' && c < 127;
            });
            if (colon < 0 || !token)
                return "header file " + header_file + ", line " + std::to_string(number) +
                       ": not \"Name: value\"";
            settings.headers.append({name, line.mid(colon + 1).trimmed()});
        }
    }
    if (!ca_file.empty()) {
        settings.extra_ca = QSslCertificate::fromPath(QString::fromStdString(ca_file), QSsl::Pem);
        if (settings.extra_ca.isEmpty()) return "no PEM certificate in " + ca_file;
    }
    return settings;
}

QNetworkRequest make_request(const QUrl& url, const RequestSettings& settings) {
    QNetworkRequest request(url);
    for (const auto& [name, value] : settings.headers)
        request.setRawHeader(name, value);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!settings.extra_ca.isEmpty()) tls.addCaCertificates(settings.extra_ca);
    request.setSslConfiguration(tls);
    return request;
}

}  // namespace eew::bridge
