/* Enlarges a page picture marked for it: a click on an image whose data-full
   attribute names its full-size copy shows that copy over the page, scaled to fit
   the window; a click anywhere or Escape closes it. */
(function () {
  'use strict';
  function close(overlay) {
    if (overlay && overlay.parentNode) overlay.parentNode.removeChild(overlay);
  }
  function open(source) {
    var overlay = document.createElement('div');
    overlay.className = 'popup-image-overlay';
    overlay.style.cssText = 'position:fixed;left:0;top:0;right:0;bottom:0;background:rgba(0,0,0,0.8);' +
      'display:flex;align-items:center;justify-content:center;z-index:10000;cursor:zoom-out';
    var image = document.createElement('img');
    image.src = source;
    image.alt = '';
    image.style.cssText = 'max-width:95vw;max-height:95vh;box-shadow:0 0 20px #000';
    overlay.appendChild(image);
    overlay.addEventListener('click', function () { close(overlay); });
    document.addEventListener('keydown', function onKey(event) {
      if (event.key === 'Escape') {
        close(overlay);
        document.removeEventListener('keydown', onKey);
      }
    });
    document.body.appendChild(overlay);
  }
  document.addEventListener('click', function (event) {
    var target = event.target;
    if (!target || target.tagName !== 'IMG') return;
    var full = target.getAttribute('data-full');
    if (!full) return;
    event.preventDefault();
    open(full);
  });
}());
