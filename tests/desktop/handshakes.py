"""The opening of a connection to the served desktop, as a client makes it, to
see whether the server lets in a client that lacks the secret.

    handshakes.py rfb PORT none             VNC (RFB 3.8) choosing "no security"
    handshakes.py rfb PORT password [FILE]  VNC authentication with the password in FILE
                                            (a wrong one without FILE)
    handshakes.py x11 DISPLAY [COOKIE]      X connection setup on the local socket of
                                            :DISPLAY, with the MIT cookie (hex) or none

Prints "accepted" or "refused" (rfb first "offered TYPES"); exit status 0.
Status 2 means the server spoke no RFB, 77 that DES (openssl's legacy
provider) is missing to answer the challenge.
"""
import socket
import struct
import subprocess
import sys

NONE, VNC_AUTH = 1, 2


def read_exactly(sock, count):
    data = b""
    while len(data) < count:
        chunk = sock.recv(count - len(data))
        if not chunk:
            raise ConnectionError("closed")
        data += chunk
    return data


def des_response(password, challenge):
    # VNC keys the DES with the password's bytes bit-reversed, padded to eight.
    key = bytes(int(f"{b:08b}"[::-1], 2) for b in password.encode()[:8].ljust(8, b"\0"))
    result = subprocess.run(
        ["openssl", "enc", "-des-ecb", "-nopad", "-K", key.hex(), "-provider", "legacy", "-provider", "default"],
        input=challenge, capture_output=True)
    if result.returncode != 0 or len(result.stdout) != 16:
        sys.exit(77)
    return result.stdout


def x11(display, cookie):
    sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    sock.settimeout(10)
    sock.connect(f"/tmp/.X11-unix/X{display}")
    name, data = (b"MIT-MAGIC-COOKIE-1", bytes.fromhex(cookie)) if cookie else (b"", b"")
    pad = lambda b: b + bytes(-len(b) % 4)
    sock.sendall(struct.pack("<BxHHHHxx", ord("l"), 11, 0, len(name), len(data)) + pad(name) + pad(data))
    try:
        status = read_exactly(sock, 1)[0]  # 0 failed, 1 success, 2 more authentication wanted
    except (ConnectionError, socket.timeout):
        status = 0
    print("accepted" if status == 1 else "refused")


def rfb(port, mode, password_file):
    password = None
    if mode == "password":
        password = open(password_file).read().strip() if password_file else ""
    sock = socket.create_connection(("127.0.0.1", port), timeout=10)
    version = read_exactly(sock, 12)
    if not version.startswith(b"RFB "):
        sys.exit(2)
    sock.sendall(b"RFB 003.008\n")
    count = read_exactly(sock, 1)[0]
    types = list(read_exactly(sock, count)) if count else []
    print("offered", " ".join(str(t) for t in types))
    try:
        if mode == "none":
            sock.sendall(bytes([NONE]))
        else:
            sock.sendall(bytes([VNC_AUTH]))
            challenge = read_exactly(sock, 16)
            sock.sendall(des_response(password, challenge) if password else bytes(16))
        result = struct.unpack(">I", read_exactly(sock, 4))[0]
    except (ConnectionError, socket.timeout):
        result = 1
    print("accepted" if result == 0 else "refused")


if __name__ == "__main__":
    args = sys.argv[1:] + [""]
    if args[0] == "x11":
        x11(args[1], args[2])
    else:
        rfb(int(args[1]), args[2], args[3])
