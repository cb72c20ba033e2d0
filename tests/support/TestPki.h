#pragma once
// A throw-away certificate authority and a server certificate it signed for 127.0.0.1 and
// localhost, written as PEM files into a folder of the test's. Made with the OpenSSL API so
// HTTPS tests need no outside tool and no key that lives anywhere else.
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace testsupport {

struct TestPki {
  std::string caCertificateFile;
  std::string serverCertificateFile;
  std::string serverKeyFile;
};

namespace pki_detail {

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Certificate = std::unique_ptr<X509, decltype(&X509_free)>;

inline void check(bool ok, const char* what) {
  if (!ok) {
    throw std::runtime_error(std::string("test PKI: ") + what + " failed");
  }
}

inline Key makeKey() {
  Key key(EVP_EC_gen("P-256"), &EVP_PKEY_free);
  check(key != nullptr, "EVP_EC_gen");
  return key;
}

inline void addExtension(X509* certificate, X509* issuer, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  check(extension != nullptr, "X509V3_EXT_conf_nid");
  const int added = X509_add_ext(certificate, extension, -1);
  X509_EXTENSION_free(extension);
  check(added == 1, "X509_add_ext");
}

// issuer null: self-signed with key.
inline Certificate makeCertificate(const char* commonName, EVP_PKEY* key, X509* issuer, EVP_PKEY* issuerKey,
                                   long serial) {
  Certificate certificate(X509_new(), &X509_free);
  check(certificate != nullptr, "X509_new");
  X509* cert = certificate.get();
  check(X509_set_version(cert, 2) == 1, "X509_set_version");
  check(ASN1_INTEGER_set(X509_get_serialNumber(cert), serial) == 1, "serial");
  check(X509_gmtime_adj(X509_getm_notBefore(cert), -3600) != nullptr, "notBefore");
  check(X509_gmtime_adj(X509_getm_notAfter(cert), 86400) != nullptr, "notAfter");
  check(X509_set_pubkey(cert, key) == 1, "X509_set_pubkey");
  X509_NAME* name = X509_get_subject_name(cert);
  check(X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName), -1,
                                   -1, 0) == 1,
        "subject");
  check(X509_set_issuer_name(cert, issuer != nullptr ? X509_get_subject_name(issuer) : name) == 1, "issuer");
  X509* signer = issuer != nullptr ? issuer : cert;
  addExtension(cert, signer, NID_subject_key_identifier, "hash");
  if (issuer == nullptr) {
    addExtension(cert, signer, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(cert, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
  } else {
    addExtension(cert, signer, NID_authority_key_identifier, "keyid:always");
    addExtension(cert, signer, NID_basic_constraints, "critical,CA:FALSE");
    addExtension(cert, signer, NID_key_usage, "critical,digitalSignature");
    addExtension(cert, signer, NID_ext_key_usage, "serverAuth");
    addExtension(cert, signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
  }
  check(X509_sign(cert, issuerKey != nullptr ? issuerKey : key, EVP_sha256()) > 0, "X509_sign");
  return certificate;
}

inline void writePem(const std::string& path, X509* certificate, EVP_PKEY* key) {
  std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "w"), &std::fclose);
  check(file != nullptr, "fopen");
  if (certificate != nullptr) {
    check(PEM_write_X509(file.get(), certificate) == 1, "PEM_write_X509");
  }
  if (key != nullptr) {
    check(PEM_write_PrivateKey(file.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1, "PEM_write_PrivateKey");
  }
}

}  // namespace pki_detail

// Writes ca.pem, server.pem and server-key.pem into folder; throws when OpenSSL fails.
inline TestPki makeTestPki(const std::string& folder) {
  using namespace pki_detail;
  const Key caKey = makeKey();
  const Certificate ca = makeCertificate("clouddb test CA", caKey.get(), nullptr, nullptr, 1);
  const Key serverKey = makeKey();
  const Certificate server = makeCertificate("127.0.0.1", serverKey.get(), ca.get(), caKey.get(), 2);
  TestPki pki{folder + "/ca.pem", folder + "/server.pem", folder + "/server-key.pem"};
  writePem(pki.caCertificateFile, ca.get(), nullptr);
  writePem(pki.serverCertificateFile, server.get(), nullptr);
  writePem(pki.serverKeyFile, nullptr, serverKey.get());
  return pki;
}

}  // namespace testsupport
