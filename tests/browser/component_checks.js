'use strict';
// Checks of the Bootstrap components and of the static gallery sites, named
// by the "checks" list of a page in pages.json: navigation bars fold below
// 768 px and open on a click (the dropdown too), carousels step by their
// controls and indicators, panels open and close, the hover caption shows,
// gallery and static photo viewers open and step, video popovers open.
const assert = require('node:assert/strict');

const shown = (page, selector) => page.evaluate((s) => {
  const el = document.querySelector(s);
  if (!el) return false;
  const r = el.getBoundingClientRect();
  const style = getComputedStyle(el);
  return r.width > 0 && r.height > 0 && style.visibility !== 'hidden' && style.display !== 'none';
}, selector);

async function waitShown(page, selector, what) {
  await page.waitForFunction((s) => {
    const el = document.querySelector(s);
    if (!el) return false;
    const r = el.getBoundingClientRect();
    const style = getComputedStyle(el);
    return r.width > 0 && r.height > 0 && style.visibility !== 'hidden' && style.display !== 'none'
      && Number(style.opacity) > 0;
  }, selector, { timeout: 5000 }).catch(() => assert.fail(`${what}: ${selector} does not show`));
}

async function waitHidden(page, selector, what) {
  await page.waitForFunction((s) => {
    const el = document.querySelector(s);
    return !el || el.getBoundingClientRect().height === 0 || getComputedStyle(el).display === 'none';
  }, selector, { timeout: 5000 }).catch(() => assert.fail(`${what}: ${selector} does not hide`));
}

async function navbar(page, spec) {
  try {
    await page.setViewportSize({ width: 1200, height: 800 });
    assert.equal(await shown(page, '.navbar-toggle'), false, 'no toggle at 1200 px');
    assert.equal(await shown(page, '#navbar'), true, 'the menu shows at 1200 px');
    await page.setViewportSize({ width: 700, height: 800 });
    assert.equal(await shown(page, '.navbar-toggle'), true, 'the toggle shows below 768 px');
    assert.equal(await shown(page, '#navbar'), false, 'the menu is folded below 768 px');
    await page.click('.navbar-toggle');
    await waitShown(page, '#navbar.in', 'a click on the toggle');
    if (spec.dropdown) {
      await page.click('.dropdown-toggle');
      await waitShown(page, '.dropdown.open .dropdown-menu', 'a click on the dropdown entry');
      assert.ok((await page.textContent('.dropdown.open .dropdown-menu')).includes('History'));
    }
  } finally {
    await page.setViewportSize({ width: 1024, height: 768 });
  }
}

const activeIndex = (page, id) => page.evaluate((i) =>
  [...document.querySelectorAll(`#${i} .carousel-inner > .item`)].findIndex((e) => e.classList.contains('active')), id);

async function waitActive(page, id, index, what) {
  await page.waitForFunction(({ i, n }) => {
    const items = [...document.querySelectorAll(`#${i} .carousel-inner > .item`)];
    return items.findIndex((e) => e.classList.contains('active')) === n
      && !items.some((e) => e.classList.contains('next') || e.classList.contains('prev'));
  }, { i: id, n: index }, { timeout: 5000 }).catch(() => assert.fail(`${what}: ${id} is not at slide ${index}`));
}

async function carousels(page, spec) {
  for (const id of spec.carousels) {
    assert.equal(await activeIndex(page, id), 0, `${id} starts at its first slide`);
    await page.click(`#${id} .right.carousel-control`);
    await waitActive(page, id, 1, 'the next control');
    await page.click(`#${id} .left.carousel-control`);
    await waitActive(page, id, 0, 'the previous control');
    await page.click(`#${id} .carousel-indicators li[data-slide-to="1"]`);
    await waitActive(page, id, 1, 'the second indicator');
    const indicator = await page.getAttribute(`#${id} .carousel-indicators li.active`, 'data-slide-to');
    assert.equal(indicator, '1', `${id}: its own indicator follows`);
  }
  // Stepping one carousel leaves the others where they were.
  assert.equal(await activeIndex(page, spec.carousels[0]), 1);
}

async function panels(page, spec) {
  const n = spec.textPanel;
  await waitHidden(page, `#collapse${n}`, 'the text panel starts closed');
  await page.click(`a[href="#collapse${n}"]`);
  await waitShown(page, `#collapse${n}.in`, 'the text panel title');
  assert.ok((await page.textContent(`#collapse${n}`)).includes('Panel content'));
  await page.click(`a[href="#collapse${n}"]`);
  await waitHidden(page, `#collapse${n}`, 'a second click on the title');

  const m = spec.imagePanel;
  const bodyHeight = () => page.evaluate((i) =>
    document.querySelector(`#toggle-${i} ~ .panel-body`).getBoundingClientRect().height, m);
  assert.equal(await bodyHeight(), 0, 'the image panel starts closed');
  await page.click(`label[for="toggle-${m}"]`);
  assert.ok(await bodyHeight() > 0, 'a click on the picture opens the image panel');
  await page.click(`label[for="toggle-${m}"]`);
  assert.equal(await bodyHeight(), 0, 'a second click closes it');
}

async function hoverCaption(page, spec) {
  const caption = `.caption${spec.hoverCaption}`;
  assert.equal(await shown(page, caption), false, 'the caption starts hidden');
  await page.hover(`.thumbnail:has(${caption}) img`);
  await waitShown(page, caption, 'hovering the photo');
}

async function viewer(page, { thumbs, modal, next, previous }) {
  // The viewer shows the picture itself where the grid shows a thumbnail of it.
  const sources = await page.$$eval(thumbs, (imgs) => imgs.map((i) => i.getAttribute('data-full') || i.getAttribute('src')));
  assert.ok(sources.length > 1, 'there are photos to step through');
  await page.click(`${thumbs} >> nth=0`);
  await waitShown(page, `${modal} img`, 'a click on the first photo');
  const current = () => page.getAttribute(`${modal} img`, 'src');
  assert.equal(await current(), sources[0]);
  assert.equal(await shown(page, previous), false, 'no way back from the first photo');
  for (let i = 1; i < sources.length; ++i) {
    await page.click(next);
    assert.equal(await current(), sources[i], `photo ${i + 1} after "next"`);
  }
  assert.equal(await shown(page, next), false, 'no way on from the last photo');
  await page.click(previous);
  assert.equal(await current(), sources[sources.length - 2], '"prev" steps back');
}

async function gallery(page, spec) {
  const g = spec.gallery;
  await viewer(page, { thumbs: `.galleryGrid${g} li img`, modal: `#myModal${g} .modal-body`,
    next: `a.controls.galleryGrid${g}.next`, previous: `a.controls.galleryGrid${g}.previous` });
  const loaded = await page.evaluate((i) => {
    const img = document.querySelector(`#myModal${i} .modal-body img`);
    return img.complete && img.naturalWidth > 0;
  }, g);
  assert.ok(loaded, 'the full-size picture shows in the viewer');
}

// Every address in the page's images, videos and links is relative (the files were copied beside it).
async function allRelative(page) {
  const addresses = await page.$$eval('img[src], source[src], img[data-full]', (l) =>
    l.flatMap((e) => [e.getAttribute('src'), e.getAttribute('data-full')]).filter((a) => a));
  assert.ok(addresses.length > 0, 'the page has pictures or videos');
  for (const a of addresses)
    assert.ok(!a.startsWith('/') && !a.startsWith('file:') && !/^[a-z]+:/i.test(a), `relative: ${a}`);
}

async function staticPhotos(page, spec) {
  await page.setViewportSize({ width: 1280, height: 800 });
  assert.equal(await page.$$eval('ul.row li img', (l) => l.length), spec.photos);
  await allRelative(page);
  // The grid shows thumbnails, sized for the cell (twice over for sharp screens), not the originals.
  const sizes = await page.$$eval('ul.row li img', (l) => l.map((i) => ({
    src: i.getAttribute('src'), natural: i.naturalWidth, shown: i.getBoundingClientRect().width })));
  for (const s of sizes) {
    assert.ok(s.src.startsWith('thumbnails/'), `a thumbnail: ${s.src}`);
    assert.ok(s.natural > 0 && s.natural <= 330, `thumbnail width ${s.natural}`);
    assert.ok(s.natural >= s.shown, `sharp at its shown width ${s.shown}`);
  }
  await viewer(page, { thumbs: 'ul.row li img', modal: '#myModal', next: 'a.controls.next', previous: 'a.controls.previous' });
  // The grid pages load jQuery 1.11.1.
  assert.equal(await page.evaluate(() => jQuery.fn.jquery), '1.11.1');
}

// Every photo of the grid clicked, the hostile name among them: the viewer
// shows each picture and nothing in a name runs or becomes an attribute.
async function hostilePhotoClicked(page, spec) {
  const thumbs = 'ul.row li img';
  // The viewer opens the full picture where the grid names one, else the thumbnail.
  const sources = await page.$$eval(thumbs, (imgs) => imgs.map((i) => i.getAttribute('data-full') || i.getAttribute('src')));
  assert.equal(sources.length, spec.photos);
  for (let i = 0; i < sources.length; ++i) {
    // Closed at once, without waiting for the fade to end.
    await page.evaluate(() => {
      const modal = jQuery('#myModal');
      modal.modal('hide');
      modal.removeClass('in').hide();
      jQuery('.modal-backdrop').remove();
      jQuery('body').removeClass('modal-open');
    });
    await page.click(`${thumbs} >> nth=${i}`);
    await waitShown(page, '#myModal img', `a click on photo ${i + 1}`);
    assert.equal(await page.getAttribute('#myModal img', 'src'), sources[i], 'the viewer shows the photo clicked');
    await page.waitForFunction(() => {
      const img = document.querySelector('#myModal img');
      return img && img.complete;
    });
    const handlers = await page.evaluate(() => [...document.querySelectorAll('*')]
      .flatMap((el) => [...el.attributes].filter((a) => /^on/i.test(a.name)).map((a) => `${el.tagName} ${a.name}`)));
    assert.deepEqual(handlers, [], 'no attribute came from a file name');
    assert.equal(await page.evaluate(() => window.__pwned), undefined, 'no file name ran as script');
  }
}

async function popovers(page) {
  await page.setViewportSize({ width: 1280, height: 800 });
  await allRelative(page);
  // Each video's file is served from beside the page.
  const sources = await page.$$eval('video source', (l) => l.map((e) => e.src));
  assert.ok(sources.length > 0);
  for (const src of sources)
    assert.ok(await page.evaluate(async (u) => (await fetch(u)).ok, src), `video reachable: ${src}`);
  const buttons = await page.$$('button[data-toggle="popover"]');
  assert.ok(buttons.length > 0, 'there are path buttons');
  await buttons[0].click();
  await waitShown(page, '.popover', 'a click on a path button');
  assert.ok((await page.textContent('.popover')).includes('clip 1.mp4'));
}

// WCAG contrast ratio of two CSS colours ("rgb(r, g, b)" or "#rrggbb").
function contrast(a, b) {
  const channels = (c) => (c.startsWith('#') ? [1, 3, 5].map((i) => parseInt(c.slice(i, i + 2), 16))
    : c.match(/\d+(\.\d+)?/g).slice(0, 3).map(Number));
  const luminance = (c) => {
    const [r, g, b] = channels(c).map((v) => {
      const s = v / 255;
      return s <= 0.03928 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
  return (hi + 0.05) / (lo + 0.05);
}

// An e-mail as its recipient's reader shows it (its HTML part, pictures beside
// it): at each width nothing runs, every picture shows, nothing spills sideways,
// the texts come in their order without overlapping, and the coloured bands keep
// their colours behind their texts, which stand out from them; empty bands keep
// their colour and height.
async function mailMessage(page, spec) {
  const mail = spec.mail;
  for (const width of mail.widths) {
    await page.setViewportSize({ width, height: 900 });
    await page.waitForTimeout(100);
    const seen = await page.evaluate((m) => {
      const holder = (words) => {
        let best = null;
        for (const el of document.body.querySelectorAll('*'))
          if (el.textContent.replace(/\s+/g, ' ').includes(words)) best = el;  // the innermost comes last
        return best;
      };
      const paint = (el, prop) => {
        for (let e = el; e; e = e.parentElement) {
          const v = getComputedStyle(e)[prop];
          if (v && v !== 'rgba(0, 0, 0, 0)' && v !== 'transparent') return v;
          if (e.getAttribute && e.getAttribute('bgcolor') && prop === 'backgroundColor') return e.getAttribute('bgcolor');
        }
        return null;
      };
      const boxes = m.texts.map((t) => {
        const el = holder(t);
        if (!el) return { text: t, missing: true };
        const r = el.getBoundingClientRect();
        return { text: t, top: r.top, bottom: r.bottom, left: r.left, right: r.right };
      });
      return {
        scripts: document.querySelectorAll('script').length,
        images: [...document.images].map((i) => ({ src: i.getAttribute('src'), shown: i.complete && i.naturalWidth > 0,
          right: i.getBoundingClientRect().right })),
        scrollWidth: document.documentElement.scrollWidth,
        boxes,
        bands: m.bands.map((b) => {
          const el = holder(b.text);
          return el ? { text: b.text, background: paint(el, 'backgroundColor'), color: getComputedStyle(el).color } : null;
        }),
        // Elements painted in an empty band's colour, with their heights.
        emptyBands: (m.emptyBands || []).map((b) => [...document.body.querySelectorAll('*')]
          .filter((el) => getComputedStyle(el).backgroundColor === b.background)
          .map((el) => el.getBoundingClientRect().height)),
      };
    }, mail);
    assert.equal(seen.scripts, 0, `no script in the mail at ${width} px`);
    assert.ok(seen.images.length > 0, 'the mail shows its picture');
    for (const img of seen.images) {
      assert.ok(img.shown, `${img.src} shows at ${width} px`);
      assert.ok(img.right <= width + 1, `${img.src} stays inside ${width} px`);
    }
    assert.ok(seen.scrollWidth <= width + 1, `nothing spills past ${width} px (${seen.scrollWidth})`);
    for (const box of seen.boxes) assert.ok(!box.missing, `${box.text} is in the mail`);
    for (let i = 1; i < seen.boxes.length; ++i) {
      const a = seen.boxes[i - 1], b = seen.boxes[i];
      assert.ok(b.top >= a.bottom - 1, `${b.text} below ${a.text}, not over it, at ${width} px`);
    }
    mail.bands.forEach((band, i) => {
      const got = seen.bands[i];
      assert.ok(got, `${band.text} is in the mail`);
      assert.equal(got.background, band.background, `the band behind ${band.text} at ${width} px`);
      if (band.color) assert.equal(got.color, band.color, `the colour of ${band.text} at ${width} px`);
      const ratio = contrast(got.color, got.background);
      assert.ok(ratio >= 3, `${band.text} stands out from its band at ${width} px (contrast ${ratio.toFixed(2)})`);
    });
    (mail.emptyBands || []).forEach((band, i) => {
      const heights = seen.emptyBands[i];
      assert.ok(heights.some((h) => Math.abs(h - band.height) <= 1),
        `an empty band of ${band.background}, ${band.height} px high, at ${width} px (${heights})`);
    });
  }
  await page.setViewportSize({ width: 1024, height: 768 });
}

module.exports = { navbar, carousels, panels, hoverCaption, gallery, staticPhotos, hostilePhotoClicked, popovers, mailMessage };
