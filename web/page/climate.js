// A year of weather and the comfort zones on the chart: the chart's menu
// entries of the overlay, as the desktop's menu has them. The core reads the
// file, counts the hours, asks the questions, makes the table and draws the
// zones and the hours on the scene's layers; this script passes on what the
// user chooses and shows the answers.
//
// `page` gives the page's means: call (a request to the core), prompt,
// message, modal, boxParts, buttonRow (its dialogs) and paint.
'use strict';

function ClimateOverlay(page) {
  const { call, prompt, message, modal, boxParts, buttonRow, paint } = page;
  const input = document.getElementById('weather-file');

  // Shows what an answer says, then the picture as the core now has it.
  async function shown(answer) {
    paint();
    if (answer.message) await message(answer.message);
  }

  // 导入气象数据…: the file is read in the browser and its text handed to
  // the core; nothing leaves the page.
  function importWeather() {
    input.value = '';
    input.onchange = async () => {
      const file = input.files[0];
      if (!file) return;
      await shown(call({ op: 'climateImport', name: file.name, text: await file.text() }));
    };
    input.click();
  }

  // PMV 条件…, 月份…, 时刻…, 格子大小…: the core's questions in the page's prompt.
  async function ask(topic) {
    let step = call({ op: 'climateAsk', topic });
    while (step.question) {
      const q = step.question;
      step = call({ op: 'climateAnswer', text: await prompt(q.prompt, q.title, q.default) });
      if (step.message) await message(step.message);
    }
    paint();
  }

  // 气象统计表…: the core's table, with 复制 (as tab-separated text) and 关闭.
  function showTable() {
    const answer = call({ op: 'climateTable' });
    if (!answer.rows) return undefined;
    return modal((box, done) => {
      boxParts(box, '气象统计');
      const table = document.createElement('table');
      table.className = 'tally';
      answer.rows.forEach((row, r) => {
        const line = table.insertRow();
        for (const text of row) {
          const cell = document.createElement(r === 0 ? 'th' : 'td');
          cell.textContent = text;
          line.appendChild(cell);
        }
      });
      const scroll = document.createElement('div');
      scroll.className = 'text';
      scroll.appendChild(table);
      box.appendChild(scroll);
      buttonRow(box, ['复制', '关闭'], async (k) => {
        if (k !== 0) return done();
        try {
          await navigator.clipboard.writeText(answer.tsv);
        } catch (e) {
          await message('浏览器不允许写入剪贴板：' + e.message);
        }
      }, 1);
    });
  }

  // The menu's entries as the overlay stands now: captions, check marks and
  // what can be chosen come with the core's state.
  function entries() {
    const state = call({ op: 'climateState' });
    const set = (request) => () => shown(call(request));
    const zones = state.zones.map((zone, k) => ({
      caption: zone.caption, checked: zone.shown,
      action: set({ op: 'climateZone', zone: k, shown: !zone.shown }),
    }));
    return [
      { caption: '导入气象数据…', action: importWeather },
      { caption: '清除气象数据', action: set({ op: 'climateClear' }), disabled: !state.weather },
      { caption: '气象统计表…', action: showTable, disabled: !state.weather },
      { caption: '舒适区', submenu: zones.concat([null, { caption: 'PMV 条件…', action: () => ask('pmv') }]) },
      { caption: '显示方式', submenu: [
        { caption: '密度（每格小时数）', checked: state.display === 'density',
          action: set({ op: 'climateDisplay', display: 'density' }) },
        { caption: '逐时点（按月份着色）', checked: state.display === 'months',
          action: set({ op: 'climateDisplay', display: 'months' }) },
        null,
        { caption: '格子大小…', action: () => ask('cell') },
        { caption: '月份…', action: () => ask('months'), disabled: !state.timed },
        { caption: '时刻…', action: () => ask('hours'), disabled: !state.timed },
      ] },
    ];
  }

  return { entries };
}
