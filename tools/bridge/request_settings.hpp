#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkRequest>
#include <QPair>
#include <QSslCertificate>
#include <string>
#include <variant>

namespace eew::bridge {

// What every request of the network sources carries besides its URL.
struct RequestSettings {
    QList<QPair<QByteArray, QByteArray>> headers;  // a service's token, for example
    QList<QSslCertificate> extra_ca;               // trusted besides the system's store
};

// Reads the header file ("Name: value" a line; blank lines and lines starting
// with # are passed over) and the certificate file (PEM); either may be empty
// for none. A text says which file is wrong and how.
std::variant<RequestSettings, std::string> read_request_settings(const std::string& header_file,
                                                                 const std::string& ca_file);

// A request for `url` with the headers, verifying the peer against the
// system's store and the extra certificates. Verification is never off.
QNetworkRequest make_request(const QUrl& url, const RequestSettings& settings);

}  // namespace eew::bridge
