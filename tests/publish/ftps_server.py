"""An FTP server with explicit TLS for the publish tests: one user, one folder,
127.0.0.1 only. Arguments: root user password certificate key port [plain];
"plain" serves FTP without TLS, to show that it is refused."""
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


class EarlyHandshakeDTPHandler(TLS_DTPHandler):
    """Lets a client start TLS on the data connection before its STOR or
    RETR arrives, as curl does; pyftpdlib 1.5.7 closes such a connection."""

    def readable(self):
        if self._ssl_requested and not self._ssl_established:
            return True
        return super().readable()


def main():
    root, user, password, certificate, key, port = sys.argv[1:7]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmw")
    plain = sys.argv[7:] == ["plain"]
    handler = FTPHandler if plain else TLS_FTPHandler
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0.1
    if not plain:
        secure(handler, certificate, key)
    server = FTPServer(("127.0.0.1", int(port)), handler)
    server.serve_forever()


def secure(handler, certificate, key):
    handler.certfile = certificate
    handler.keyfile = key
    handler.tls_control_required = True
    handler.tls_data_required = True
    handler.dtp_handler = EarlyHandshakeDTPHandler


if __name__ == "__main__":
    main()
