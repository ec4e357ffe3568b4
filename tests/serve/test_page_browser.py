# The page in a real browser (Debian's chromium, headless, driven by
# selenium through chromedriver): the pass for the address's wavelength, the
# marker moved by keys and by a mouse drag, another observer, a click in the
# diagram, each checked against the program's own output, and no console
# errors. SCREENSHOT=path also saves the page at 1280x800.
import json
import os
import shutil
import subprocess
import tempfile

import pytest

selenium = pytest.importorskip("selenium")
from selenium import webdriver  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.ui import Select, WebDriverWait  # noqa: E402

CHROMIUM, DRIVER = "/usr/bin/chromium", "/usr/bin/chromedriver"


@pytest.fixture(scope="module")
def browser():
    if not (os.path.exists(CHROMIUM) and os.path.exists(DRIVER)):
        pytest.skip("chromium and chromium-driver are not installed (make test installs them)")
    profile = tempfile.mkdtemp(prefix="vollfarbe-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--disable-dev-shm-usage", f"--user-data-dir={profile}", "--window-size=1280,800"]:
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service(DRIVER), options=options)
    driver.set_window_size(1280, 800)
    yield driver
    driver.quit()
    shutil.rmtree(profile, ignore_errors=True)


def table_row(program, wavelength, *model):
    out = subprocess.run([program, "table", "--format", "json", *model, wavelength],
                         capture_output=True, check=True).stdout
    return json.loads(out)[0]


def program_output(program, *arguments):
    return subprocess.run([program, *arguments], capture_output=True, check=True).stdout


def value(driver, element_id):
    return driver.find_element(By.ID, element_id).get_attribute("data-value")


def data_value(number):
    """A number of the program's JSON as the page's data-value holds it."""
    return "" if number is None else json.dumps(number)


def wait_for(driver, element_id, expected):
    WebDriverWait(driver, 10).until(lambda d: value(d, element_id) == expected)


def shows_pass(driver, row):
    """The page shows this row: its wavelength and pair, and both colours' x."""
    for key in ["wavelength", "l", "lc", "first_x", "second_x", "first_moment"]:
        wait_for(driver, key, data_value(row[key]))


def test_the_page_follows_the_marker(browser, server, program):
    browser.get(server.address + "?lambda=600")
    wait_for(browser, "compensative", "489.996")
    assert "489.996" in browser.find_element(By.ID, "compensative").text
    shows_pass(browser, table_row(program, "600"))

    marker = browser.find_element(By.ID, "marker")
    browser.execute_script("arguments[0].focus()", marker)
    ActionChains(browser).send_keys(Keys.ARROW_RIGHT).perform()
    shows_pass(browser, table_row(program, "600.1"))
    ActionChains(browser).key_down(Keys.SHIFT).send_keys(Keys.ARROW_LEFT).key_up(Keys.SHIFT).perform()
    shows_pass(browser, table_row(program, "599.1"))
    assert "lambda=599.1" in browser.current_url

    # A drag towards the upper left: the marker follows the locus to a
    # shorter wavelength, and the page shows that wavelength's pass.
    ActionChains(browser).click_and_hold(marker).move_by_offset(-30, -40).move_by_offset(-30, -40) \
        .release().perform()
    WebDriverWait(browser, 10).until(lambda d: float(value(d, "wavelength")) < 590)
    dragged = value(browser, "wavelength")
    shows_pass(browser, table_row(program, dragged))
    assert f"lambda={dragged}" in browser.current_url

    Select(browser.find_element(By.ID, "observer")).select_by_value("cie1931")
    cie = table_row(program, dragged, "--observer", "cie1931")
    shows_pass(browser, cie)
    assert "observer=cie1931" in browser.current_url


def test_a_click_gives_the_dominant_wavelength(browser, server, program):
    browser.get(server.address + "?lambda=600&observer=cie1931&illuminant=D65")
    wait_for(browser, "compensative", json.dumps(table_row(
        program, "600", "--observer", "cie1931", "--illuminant", "D65")["l"]))
    diagram = browser.find_element(By.ID, "diagram")
    ActionChains(browser).move_to_element_with_offset(diagram, -60, -120).click().perform()
    WebDriverWait(browser, 10).until(lambda d: value(d, "dominant") != "")
    x, y = value(browser, "click_x"), value(browser, "click_y")
    row = json.loads(subprocess.run(
        [program, "dominant", "--format", "json", "--observer", "cie1931", "--illuminant", "D65",
         "--xy", x, y], capture_output=True, check=True).stdout)[0]
    for key in ["dominant", "complementary", "excitation_purity", "colorimetric_purity"]:
        assert value(browser, key) == data_value(row[key])


def limit_drawn(driver):
    """The drawn limit's Y and its number of points (read at once: it is redrawn whole)."""
    return driver.execute_script(
        "const e = document.getElementById('macadam-limit');"
        "return e ? [e.dataset.y, e.points.numberOfItems] : null;")


def test_the_limit_is_drawn_at_the_address_y(browser, server, program):
    browser.get(server.address + "?lambda=600&observer=cie1931&illuminant=D65&Y=50")
    rows = json.loads(program_output(program, "limits", "--format", "json", "--Y", "50",
                                     "--observer", "cie1931", "--illuminant", "D65"))
    WebDriverWait(browser, 10).until(lambda d: limit_drawn(d) == ["50", len(rows)])
    browser.execute_script("window.vollfarbe.setY(20)")
    WebDriverWait(browser, 10).until(lambda d: limit_drawn(d) == ["20", len(rows)])
    assert "Y=20" in browser.current_url

    Select(browser.find_element(By.ID, "observer")).select_by_value("legacy")
    WebDriverWait(browser, 10).until(lambda d: d.find_element(By.ID, "limit-note").is_displayed())
    assert limit_drawn(browser) is None
    assert not browser.find_element(By.ID, "limit-controls").is_displayed()


def test_green_range_is_explained_and_there_are_no_console_errors(browser, server):
    browser.get(server.address + "?lambda=530")
    WebDriverWait(browser, 10).until(
        lambda d: d.find_element(By.ID, "green-note").is_displayed())
    assert "green range" in browser.find_element(By.ID, "green-note").text
    assert value(browser, "compensative") == ""
    if os.environ.get("SCREENSHOT"):
        browser.get(server.address + "?lambda=600&compare=cie1964")
        wait_for(browser, "compensative", "489.996")
        browser.save_screenshot(os.environ["SCREENSHOT"])
    errors = [entry for entry in browser.get_log("browser") if entry["level"] == "SEVERE"]
    assert errors == []
