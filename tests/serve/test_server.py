# The page server over real sockets: the answers are the commands' bytes,
# only this machine and the server's own names reach it, bad requests are
# answered 400 and it goes on serving, it holds up under load in bounded
# threads and memory, and SIGTERM or SIGINT end it with status 0.
import http.client
import os
import signal
import socket
import subprocess
import threading

import pytest

from conftest import Server



def under_address_sanitizer(program):
    """Whether the program is built with AddressSanitizer, whose memory is no measure."""
    linked = subprocess.run(["ldd", program], capture_output=True, text=True).stdout
    return "libasan" in linked

def get(server, target, host=None, method="GET", headers=None):
    connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
    try:
        connection.putrequest(method, target, skip_host=True)
        if host is not False:
            connection.putheader("Host", host or f"127.0.0.1:{server.port}")
        for name, value in (headers or {}).items():
            connection.putheader(name, value)
        connection.endheaders()
        response = connection.getresponse()
        return response.status, dict(response.getheaders()), response.read()
    finally:
        connection.close()


def raw(server, data):
    """Sends bytes as they are; returns the status line's code (0 when closed unanswered)."""
    with socket.create_connection(("127.0.0.1", server.port), timeout=10) as s:
        s.sendall(data)
        answer = b""
        while b"\r\n" not in answer:
            chunk = s.recv(4096)
            if not chunk:
                break
            answer += chunk
    return int(answer.split()[1]) if answer.startswith(b"HTTP/1.1 ") else 0


def program_output(program, *arguments):
    return subprocess.run([program, *arguments], capture_output=True, check=True).stdout


@pytest.mark.parametrize("query, command", [
    ("lambda=600", ["table", "--format", "json", "600"]),
    ("lambda=510&observer=cie1931&illuminant=D65",
     ["table", "--format", "json", "--observer", "cie1931", "--illuminant", "D65", "510"]),
    ("lambda=450.5&observer=CIE1964&illuminant=a&format=csv",
     ["table", "--observer", "cie1964", "--illuminant", "A", "450.5"]),
])
def test_pass_is_the_table_row(server, program, query, command):
    status, headers, body = get(server, "/api/pass?" + query)
    assert status == 200
    assert body == program_output(program, *command)


def test_dominant_is_the_command_row(server, program):
    status, _, body = get(server, "/api/dominant?x=0.35&y=0.6&observer=cie1931&illuminant=D65")
    assert status == 200
    assert body == program_output(program, "dominant", "--format", "json", "--observer", "cie1931",
                                  "--illuminant", "D65", "--xy", "0.35", "0.6")


@pytest.mark.parametrize("query, hues", [
    ("Y=50&observer=cie1931&illuminant=D65", "360"),
    ("Y=12.5&observer=cie1964&illuminant=A&hues=7", "7"),
])
def test_limits_are_the_command_locus(server, program, query, hues):
    status, _, body = get(server, "/api/limits?" + query)
    fields = dict(item.split("=") for item in query.split("&"))
    assert status == 200
    assert body == program_output(program, "limits", "--format", "json", "--Y", fields["Y"],
                                  "--observer", fields["observer"],
                                  "--illuminant", fields["illuminant"], "--hues", hues)


def test_page_diagram_and_model(server):
    status, headers, body = get(server, "/?lambda=600")
    assert status == 200 and headers["Content-Type"].startswith("text/html")
    assert b'src="/page.js"' in body
    status, headers, body = get(server, "/api/diagram.svg?observer=legacy,cie1931&lambda=600")
    assert status == 200 and body.startswith(b"<svg") or body.startswith(b"<?xml")
    status, _, body = get(server, "/api/model?observer=cie1931&illuminant=D65")
    assert status == 200 and b'"white":[0.3127' in body


@pytest.mark.parametrize("target, message", [
    ("/api/pass?lambda=6x", b"not a number"),
    ("/api/pass", b"lambda is missing"),
    ("/api/pass?lambda=900", b"range"),
    ("/api/pass?lambda=600&lambda=601", b"more than once"),
    ("/api/pass?lambda=600&file=x", b"unknown parameter"),
    ("/api/pass?lambda=600&observer=/etc/passwd", b"observer must be"),
    ("/api/pass?lambda=600&observer=cie1931&illuminant=../../tmp/x.sp", b"illuminant must be"),
    ("/api/pass?lambda=600&observer=legacy&illuminant=D65", b"legacy"),
    ("/api/dominant?x=0.3", b"y is missing"),
    ("/api/diagram.svg?observer=legacy,legacy,legacy,legacy", b"too many"),
    ("/api/limits?Y=0&observer=cie1931", b"0 < Y < 100"),
    ("/api/limits?Y=100&observer=cie1931", b"0 < Y < 100"),
    ("/api/limits?Y=10,20&observer=cie1931", b"not a number"),
    ("/api/limits?observer=cie1931", b"Y is missing"),
    ("/api/limits?Y=50&hues=3601", b"1 to 3600"),
    ("/api/limits?Y=50&hues=0", b"1 to 3600"),
    ("/api/limits?Y=50&hues=2.5", b"1 to 3600"),
    ("/api/limits?Y=50&observer=legacy", b"colour-matching functions"),
])
def test_bad_parameters_are_400_with_a_reason(server, target, message):
    status, headers, body = get(server, target)
    assert (status, headers["Content-Type"].split(";")[0]) == (400, "application/json")
    assert message in body


@pytest.mark.parametrize("host, status", [
    ("127.0.0.1:{port}", 200), ("localhost:{port}", 200), ("LOCALHOST:{port}", 200),
    ("[::1]:{port}", 200), ("evil.example:{port}", 421), ("127.0.0.1:{other}", 421),
    ("127.0.0.1", 421), ("", 421), (False, 421),
])
def test_only_its_own_host(server, host, status):
    if isinstance(host, str):
        host = host.format(port=server.port, other=server.port + 1) or " "
    assert get(server, "/api/catalogue", host=host)[0] == status


def test_only_get_and_head_and_no_cors(server):
    for method in ["POST", "PUT", "DELETE", "OPTIONS", "PATCH"]:
        status, headers, _ = get(server, "/api/catalogue", method=method,
                                 headers={"Content-Length": "0"})
        assert status == 405 and headers["Allow"] == "GET, HEAD"
    status, headers, body = get(server, "/api/catalogue", method="HEAD")
    assert status == 200 and body == b""
    status, headers, _ = get(server, "/api/catalogue", headers={"Origin": "http://evil.example"})
    assert status == 200
    assert not any(name.lower().startswith("access-control-") for name in headers)


@pytest.mark.parametrize("request_bytes, status", [
    (b"GARBAGE\r\n\r\n", 400),
    (b"GET / HTTP/9.9\r\nHost: {host}\r\n\r\n", 400),
    (b"GET\r\n\r\n", 400),
    (b"\x00\xff\xfe / HTTP/1.1\r\nHost: {host}\r\n\r\n", 400),
    (b"GET /" + b"a" * 9000 + b" HTTP/1.1\r\nHost: {host}\r\n\r\n", 414),
    (b"GET /api/pass?" + b"lambda=600&" * 200 + b" HTTP/1.1\r\nHost: {host}\r\n\r\n", 414),
    (b"GET / HTTP/1.1\r\nHost: {host}\r\n" + b"X-A: b\r\n" * 100 + b"\r\n", 431),
    (b"GET / HTTP/1.1\r\nHost: {host}\r\nX-Big: " + b"b" * 9000 + b"\r\n\r\n", 400),
    (b"GET / HTTP/1.1\r\nHost: {host}\r\nContent-Length: 5\r\n\r\nhello", 413),
    (b"GET /%zz HTTP/1.1\r\nHost: {host}\r\n\r\n", 404),
], ids=lambda v: v[:24].decode("latin-1") if isinstance(v, bytes) else str(v))
def test_malformed_requests_get_an_error_and_serving_goes_on(server, request_bytes, status):
    host = f"127.0.0.1:{server.port}".encode()
    assert raw(server, request_bytes.replace(b"{host}", host)) == status
    assert get(server, "/api/pass?lambda=600")[0] == 200


def test_a_flood_of_headers_is_cut_off_in_bounded_memory(server):
    rss_before, _ = server_status(server.process.pid)
    with socket.create_connection(("127.0.0.1", server.port), timeout=10) as s:
        s.sendall(f"GET / HTTP/1.1\r\nHost: 127.0.0.1:{server.port}\r\n".encode())
        with pytest.raises((BrokenPipeError, ConnectionResetError)):
            for _ in range(200):  # 16 MB of header lines at most
                s.sendall(b"X-A: b\r\n" * 10000)
    assert server_status(server.process.pid)[0] - rss_before < 10_000  # kB
    assert get(server, "/api/pass?lambda=600")[0] == 200


def other_local_addresses():
    """This machine's IPv4 addresses besides the loopback ones."""
    out = subprocess.run(["ip", "-o", "-4", "addr", "show"], capture_output=True, text=True).stdout
    return [line.split()[3].split("/")[0] for line in out.splitlines()
            if not line.split()[3].startswith("127.")]


def test_loopback_only(server):
    addresses = ["127.0.0.2"] + other_local_addresses()
    for address in addresses:
        with pytest.raises(ConnectionRefusedError):
            socket.create_connection((address, server.port), timeout=5).close()


def server_status(pid):
    with open(f"/proc/{pid}/status") as f:
        fields = dict(line.split(":", 1) for line in f)
    return int(fields["VmRSS"].split()[0]), int(fields["Threads"])


def test_ten_thousand_requests_over_twenty_connections(server):
    rss_before, _ = server_status(server.process.pid)
    failures, peak_threads = [], [0]
    wavelengths = [f"{380 + (i % 3900) / 10:g}" for i in range(10_000)]

    def client(part):
        connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=20)
        for w in wavelengths[part::20]:
            connection.request("GET", f"/api/pass?lambda={w}")
            response = connection.getresponse()
            body = response.read()
            if response.status != 200 or not body.startswith(b'[\n{"wavelength":'):
                failures.append((w, response.status))
        connection.close()

    clients = [threading.Thread(target=client, args=(part,)) for part in range(20)]
    for c in clients:
        c.start()
    while any(c.is_alive() for c in clients):
        peak_threads[0] = max(peak_threads[0], server_status(server.process.pid)[1])
        clients[0].join(0.05)
    for c in clients:
        c.join()
    rss_after, _ = server_status(server.process.pid)
    assert failures == []
    # Two listeners and their workers (6 each), the main thread.
    assert peak_threads[0] <= 15
    # AddressSanitizer keeps freed memory in quarantine: no bound to hold it to.
    if not under_address_sanitizer(server.process.args[0]):
        assert rss_after - rss_before < 30_000  # kB


@pytest.mark.parametrize("sig", [signal.SIGTERM, signal.SIGINT])
def test_a_signal_ends_it_with_status_0_and_frees_the_port(program, sig):
    s = Server(program)
    assert get(s, "/api/catalogue")[0] == 200
    assert s.stop(sig) == 0
    with socket.socket() as again:
        again.bind(("127.0.0.1", s.port))


def test_port_option(program):
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    s = Server(program, "--port", str(port))
    assert s.port == port
    taken = subprocess.run([program, "serve", "--port", str(port)], capture_output=True, text=True,
                           timeout=20)
    assert taken.returncode == 1 and f"127.0.0.1:{port}" in taken.stderr
    assert s.stop() == 0
    bad = subprocess.run([program, "serve", "--port", "70000"], capture_output=True, text=True)
    assert bad.returncode == 2 and bad.stdout == ""
